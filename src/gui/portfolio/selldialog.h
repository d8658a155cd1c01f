#pragma once

#include "core/store/storerows.h"
#include "core/trades/saleform.h"

#include <QDialog>

#include <vector>

class AppContext;
class QComboBox;
class QLineEdit;

// "Sell": the shares sold of one holding, their price, the day and the broker. OK stores the
// sale as a trade; the dialog stays open with what was typed when that is refused or fails.
class SellDialog : public QDialog
{
    Q_OBJECT
public:
    SellDialog(AppContext &ctx, SaleHolding holding, const std::vector<BrokerEntry> &brokers,
               long brokerId, QWidget *parent = nullptr);

    // Runs the dialog; true once a sale was stored.
    static bool run(AppContext &ctx, const SaleHolding &holding,
                    const std::vector<BrokerEntry> &brokers, long brokerId, QWidget *parent);

    void accept() override;

private:
    AppContext &m_ctx;
    SaleHolding m_holding;
    std::vector<long> m_brokerIds;
    QLineEdit *m_quantity;
    QLineEdit *m_price;
    QLineEdit *m_date;
    QComboBox *m_broker;
};
