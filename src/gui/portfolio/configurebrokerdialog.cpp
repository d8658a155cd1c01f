#include "gui/portfolio/configurebrokerdialog.h"

#include "core/common/blanktext.h"
#include "core/portfolio/brokerbook.h"
#include "core/portfolio/brokerrates.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/fieldedits.h"
#include "gui/shell/panelstyle.h"
#include "gui/store/dialogparts.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {
// In BrokerRate order.
constexpr const char *RateNames[BrokerRateCount] = {
    "deliveryBuyBrokerage",  "deliveryBuyST",  "deliveryBuySTT",  "deliveryBuyOthers",
    "deliverySellBrokerage", "deliverySellST", "deliverySellSTT", "deliverySellOthers",
    "intradayBuyBrokerage",  "intradayBuyST",  "intradayBuySTT",  "intradayBuyOthers",
    "intradaySellBrokerage", "intradaySellST", "intradaySellSTT", "intradaySellOthers"};
constexpr const char *RowTitles[] = {"% Brokerage", "% ST", "% STT", "% Others"};
constexpr double MaximumRate = 100;
} // namespace

ConfigureBrokerDialog::ConfigureBrokerDialog(BrokerBook &book, Messenger &messenger,
                                             std::optional<BrokerEntry> original, QWidget *parent)
    : QDialog(parent), m_book(book), m_messenger(messenger), m_original(std::move(original))
{
    DialogParts parts(this);
    setObjectName(QStringLiteral("configureBrokerDialog"));
    setWindowTitle(QString::fromLatin1(Caption));
    setFixedSize(parts.units().size(250, 146));
    applyPanelStyle(this);

    const BrokerEntry shown = m_original.value_or(newBroker());
    parts.label(nullptr, QStringLiteral("Broker Name"), 7, 9, 45, 8);
    m_name = parts.edit("brokerName", 55, 7, 188, 13);
    m_name->setText(QString::fromStdString(shown.name));

    for (int frame = 0; frame < 2; ++frame) {
        const int x = 7 + frame * 119;
        parts.place(
            new QGroupBox(frame == 0 ? QStringLiteral("Delivery") : QStringLiteral("Intra-Day"),
                          this),
            nullptr, x, 26, 117, 90);
        parts.label(nullptr, QStringLiteral("Buy"), x + 53, 37, 28, 8, Qt::AlignCenter);
        parts.label(nullptr, QStringLiteral("Sell"), x + 84, 37, 28, 8, Qt::AlignCenter);
        for (int row = 0; row < 4; ++row) {
            const int y = 48 + row * 16;
            parts.label(nullptr, QString::fromLatin1(RowTitles[row]), x + 5, y + 2, 46, 8);
            for (int side = 0; side < 2; ++side) {
                const std::size_t rate = std::size_t(frame * 8 + side * 4 + row);
                m_rates[rate] = parts.edit(RateNames[rate], x + 53 + side * 31, y, 28, 12);
                m_rates[rate]->setText(numberText(shown.rates[rate]));
            }
        }
    }

    auto *ok = parts.button("ok", QStringLiteral("OK"), 70, 124, 50, 14);
    ok->setDefault(true);
    auto *cancel = parts.button("cancel", QStringLiteral("Cancel"), 130, 124, 50, 14);
    connect(ok, &QPushButton::clicked, this, &ConfigureBrokerDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ConfigureBrokerDialog::accept()
{
    BrokerEntry broker = m_original.value_or(BrokerEntry{});
    broker.name = m_name->text().toStdString();
    for (std::size_t rate = 0; rate < BrokerRateCount; ++rate) {
        const auto value = readNumber(m_rates[rate], 0, MaximumRate, m_messenger);
        if (!value)
            return;
        broker.rates[rate] = *value;
    }
    if (!m_book.save(m_original, broker))
        return;
    m_saved = std::string(trimBlanks(broker.name));
    QDialog::accept();
}

std::optional<std::string> ConfigureBrokerDialog::ask(BrokerBook &book, Messenger &messenger,
                                                      std::optional<BrokerEntry> original,
                                                      QWidget *parent)
{
    ConfigureBrokerDialog dialog(book, messenger, std::move(original), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.savedName();
}
