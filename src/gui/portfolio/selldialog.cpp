#include "gui/portfolio/selldialog.h"

#include "core/trades/exactnumber.h"
#include "gui/controls/colorbutton.h"
#include "gui/portfolio/tradedate.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/panelstyle.h"
#include "gui/store/dialogparts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

SellDialog::SellDialog(AppContext &ctx, SaleHolding holding,
                       const std::vector<BrokerEntry> &brokers, long brokerId, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_holding(std::move(holding))
{
    DialogParts parts(this);
    setObjectName(QStringLiteral("sellDialog"));
    setWindowTitle(QStringLiteral("Sell"));
    setFixedSize(parts.units().size(196, 122));
    applyPanelStyle(this);

    parts.label("companyName", QString::fromStdString(m_holding.companyName), 7, 7, 182, 8);
    parts.label("held", QStringLiteral("Held: %1 shares").arg(m_holding.held), 7, 19, 182, 8);
    const char *const captions[] = {"No of Shares", "Selling Price", "Sold on"};
    const char *const ids[] = {"quantity", "price", "date"};
    QLineEdit *edits[3];
    for (int i = 0; i < 3; ++i) {
        parts.label(nullptr, QLatin1String(captions[i]), 7, 33 + i * 16, 55, 8);
        edits[i] = parts.edit(ids[i], 70, 31 + i * 16, 80, 13);
    }
    m_quantity = edits[0];
    m_price = edits[1];
    m_date = edits[2];
    m_quantity->setText(QString::number(m_holding.held));
    m_date->setText(todayText(ctx));
    parts.label(nullptr, QStringLiteral("Broker"), 7, 83, 55, 8);
    m_broker = parts.place(new QComboBox(this), "broker", 70, 81, 119, 13);
    for (const BrokerEntry &broker : brokers) {
        m_broker->addItem(QString::fromStdString(broker.name));
        m_brokerIds.push_back(broker.id);
        if (broker.id == brokerId)
            m_broker->setCurrentIndex(m_broker->count() - 1);
    }

    auto *ok = parts.button("ok", QStringLiteral("OK"), 40, 102, 50, 14);
    ok->setDefault(true);
    auto *cancel = parts.button("cancel", QStringLiteral("Cancel"), 104, 102, 50, 14);
    connect(ok, &QPushButton::clicked, this, &SellDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SellDialog::accept()
{
    SaleValues values;
    const auto quantity = readCount(m_quantity->text().trimmed().toStdString());
    const auto price = readDecimal(m_price->text().trimmed().toStdString());
    values.quantity = quantity.value_or(0);
    values.price = price.value_or(0);
    values.date = m_date->text().trimmed().toStdString();
    const int broker = m_broker->currentIndex();
    values.brokerId = broker >= 0 ? m_brokerIds[std::size_t(broker)] : 0;
    if (const auto refusal = saleRefusal(m_holding, values)) {
        m_ctx.messenger.inform(*refusal);
        return;
    }
    if (auto stored = m_ctx.database.trades().insertAll({saleTrade(m_holding, values)}); !stored) {
        m_ctx.messenger.inform(stored.error());
        return;
    }
    QDialog::accept();
}

bool SellDialog::run(AppContext &ctx, const SaleHolding &holding,
                     const std::vector<BrokerEntry> &brokers, long brokerId, QWidget *parent)
{
    SellDialog dialog(ctx, holding, brokers, brokerId, parent);
    return dialog.exec() == QDialog::Accepted;
}
