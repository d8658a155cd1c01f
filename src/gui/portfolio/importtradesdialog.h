#pragma once

#include "core/store/storerows.h"
#include "core/trades/importpreview.h"

#include <QDialog>

#include <vector>

class AppContext;
class QComboBox;
class QPlainTextEdit;
class QPushButton;

// "Import Trades": what a tradebook file would add, what is already held and what is refused,
// before anything is stored. Import stores the new trades in one transaction with the chosen
// broker; when that fails the preview stays open.
class ImportTradesDialog : public QDialog
{
    Q_OBJECT
public:
    ImportTradesDialog(AppContext &ctx, const QString &file,
                       const std::vector<BrokerEntry> &brokers, QWidget *parent = nullptr);

    // Asks for a file, then runs the dialog; true once trades were stored.
    static bool run(AppContext &ctx, const std::vector<BrokerEntry> &brokers, QWidget *parent);

    const ImportPreview &preview() const { return m_preview; }
    void accept() override;

private:
    AppContext &m_ctx;
    ImportPreview m_preview;
    std::vector<long> m_brokerIds;
    QComboBox *m_broker;
    QPlainTextEdit *m_text;
    QPushButton *m_import;
};
