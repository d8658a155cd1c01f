#pragma once

#include "core/portfolio/brokerbook.h"
#include "core/portfolio/holdingform.h"

#include <QDialog>

#include <functional>
#include <optional>

class AppContext;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

// "Add/Edit Profile Stocks": picks the company by a search, the exchange and the broker, and
// keeps the stock's purchase lots. It stores nothing itself: OK hands the stock to the
// caller's save, and the dialog ends only once that has stored it.
class HoldingEntryDialog : public QDialog
{
    Q_OBJECT
public:
    using Save = std::function<bool(const HoldingEntry &)>;

    HoldingEntryDialog(AppContext &ctx, const HoldingEntryRequest &request, Save save,
                       QWidget *parent = nullptr);

    // Runs the dialog; the stored stock on OK, nothing on Cancel.
    static std::optional<HoldingEntry> ask(AppContext &ctx, const HoldingEntryRequest &request,
                                           Save save, QWidget *parent);

    const std::optional<HoldingEntry> &entry() const { return m_entry; }
    void accept() override;

private:
    void search();
    void exchangeClicked(int exchange);
    void addLot();
    void editLot();
    void deleteLot();
    void showCompany();
    void showLots();
    int selectedLot() const;

    AppContext &m_ctx;
    HoldingForm m_form;
    BrokerBook m_brokers;
    Save m_save;
    QLineEdit *m_text;
    QButtonGroup *m_exchange;
    QLabel *m_company;
    QComboBox *m_broker;
    QTableWidget *m_lots;
    std::optional<HoldingEntry> m_entry;
};
