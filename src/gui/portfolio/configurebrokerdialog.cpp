#include "gui/portfolio/configurebrokerdialog.h"

#include "core/common/blanktext.h"
#include "core/common/messenger.h"
#include "core/portfolio/brokerbook.h"
#include "core/portfolio/brokerrates.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/fieldedits.h"
#include "gui/shell/panelstyle.h"
#include "gui/store/dialogparts.h"

#include <QCheckBox>
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
constexpr double MaximumRupees = 1e6;
// The schedule's fields: per order for delivery, then intraday, then per company and day.
constexpr const char *ScheduleNames[] = {"deliveryPercent", "deliveryMinimum", "deliveryCap",
                                         "intradayPercent", "intradayMinimum", "intradayCap",
                                         "dpCharge"};
} // namespace

ConfigureBrokerDialog::ConfigureBrokerDialog(BrokerBook &book, Messenger &messenger,
                                             std::optional<BrokerEntry> original, QWidget *parent,
                                             BrokerScheduleStore *schedules)
    : QDialog(parent), m_book(book), m_messenger(messenger), m_original(std::move(original)),
      m_schedules(schedules)
{
    DialogParts parts(this);
    setObjectName(QStringLiteral("configureBrokerDialog"));
    setWindowTitle(QString::fromLatin1(Caption));
    const int extra = m_schedules ? 62 : 0;
    setFixedSize(parts.units().size(250, 146 + extra));
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

    if (m_schedules)
        buildSchedule(118);
    auto *ok = parts.button("ok", QStringLiteral("OK"), 70, 124 + extra, 50, 14);
    ok->setDefault(true);
    auto *cancel = parts.button("cancel", QStringLiteral("Cancel"), 130, 124 + extra, 50, 14);
    connect(ok, &QPushButton::clicked, this, &ConfigureBrokerDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ConfigureBrokerDialog::buildSchedule(int top)
{
    DialogParts parts(this);
    m_byschedule = parts.place(
        new QCheckBox(QStringLiteral("Price by today's charge schedule (statutory from %1)")
                          .arg(QString::fromStdString(statutoryRates2024().effectiveFrom)),
                      this),
        "bySchedule", 7, top, 236, 10);
    const char *const rows[] = {"Delivery brokerage", "Intraday brokerage"};
    const char *const columns[] = {"%", "min Rs", "cap Rs"};
    for (int row = 0; row < 2; ++row) {
        const int y = top + 13 + row * 15;
        parts.label(nullptr, QLatin1String(rows[row]), 7, y + 2, 70, 8);
        for (int column = 0; column < 3; ++column) {
            const int x = 80 + column * 55;
            parts.label(nullptr, QLatin1String(columns[column]), x, y + 2, 25, 8);
            m_scheduleFields[std::size_t(row * 3 + column)] =
                parts.edit(ScheduleNames[row * 3 + column], x + 26, y, 27, 12);
        }
    }
    parts.label(nullptr, QStringLiteral("DP charge per company and day, Rs"), 7, top + 45, 130, 8);
    m_scheduleFields[6] = parts.edit(ScheduleNames[6], 140, top + 43, 30, 12);

    std::optional<BrokerSchedule> stored;
    if (m_original)
        if (auto all = m_schedules->loadAll())
            if (const auto found = all.value().find(m_original->id); found != all.value().end())
                stored = found->second;
    m_byschedule->setChecked(stored.has_value());
    const BrokerSchedule shown = stored.value_or(BrokerSchedule{});
    const double values[] = {shown.delivery.percent, shown.delivery.minimum, shown.delivery.cap,
                             shown.intraday.percent, shown.intraday.minimum, shown.intraday.cap,
                             shown.dpCharge};
    for (std::size_t i = 0; i < m_scheduleFields.size(); ++i)
        m_scheduleFields[i]->setText(numberText(values[i]));
}

std::optional<std::optional<BrokerSchedule>> ConfigureBrokerDialog::readSchedule()
{
    if (!m_byschedule || !m_byschedule->isChecked())
        return std::optional<BrokerSchedule>();
    double values[7];
    for (std::size_t i = 0; i < m_scheduleFields.size(); ++i) {
        const double maximum = i % 3 == 0 && i < 6 ? MaximumRate : MaximumRupees;
        const auto value = readNumber(m_scheduleFields[i], 0, maximum, m_messenger);
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    BrokerSchedule schedule;
    schedule.delivery = {values[0], values[1], values[2]};
    schedule.intraday = {values[3], values[4], values[5]};
    schedule.dpCharge = values[6];
    return std::optional<BrokerSchedule>(schedule);
}

bool ConfigureBrokerDialog::saveSchedule(const std::optional<BrokerSchedule> &schedule)
{
    long id = m_original ? m_original->id : 0;
    if (!m_original) // the newest broker of that name is the one just added
        for (const BrokerEntry &broker : m_book.brokers())
            if (broker.name == m_saved)
                id = broker.id;
    if (id == 0)
        return true;
    if (auto stored = m_schedules->set(id, schedule); !stored) {
        m_messenger.inform(stored.error());
        return false;
    }
    return true;
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
    const auto schedule = readSchedule();
    if (!schedule)
        return;
    if (!m_book.save(m_original, broker))
        return;
    m_saved = std::string(trimBlanks(broker.name));
    if (m_schedules && !saveSchedule(*schedule))
        return;
    QDialog::accept();
}

std::optional<std::string> ConfigureBrokerDialog::ask(BrokerBook &book, Messenger &messenger,
                                                      std::optional<BrokerEntry> original,
                                                      QWidget *parent,
                                                      BrokerScheduleStore *schedules)
{
    ConfigureBrokerDialog dialog(book, messenger, std::move(original), parent, schedules);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.savedName();
}
