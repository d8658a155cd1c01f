#pragma once

#include "core/store/storerows.h"
#include "core/trades/tradestore.h"

#include <QDialog>

#include <array>
#include <optional>
#include <string>

class BrokerBook;
class Messenger;
class QCheckBox;
class QLineEdit;

// "Configure A Broker": a broker's name and its sixteen rates, delivery and intraday, buy and
// sell. Opened without a broker it adds one, starting from the proposed rates; opened with
// one it edits that broker, and may give it any name. Given the schedules' store, it also
// offers to price the broker by today's dated charge schedule: brokerage as a percentage with
// a minimum and a cap per order, and a DP charge, on top of the statutory rates.
class ConfigureBrokerDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char *Caption = "Configure A Broker";

    ConfigureBrokerDialog(BrokerBook &book, Messenger &messenger,
                          std::optional<BrokerEntry> original, QWidget *parent = nullptr,
                          BrokerScheduleStore *schedules = nullptr);

    // Runs the dialog; the name stored on OK, nothing on Cancel.
    static std::optional<std::string> ask(BrokerBook &book, Messenger &messenger,
                                          std::optional<BrokerEntry> original, QWidget *parent,
                                          BrokerScheduleStore *schedules = nullptr);

    const std::string &savedName() const { return m_saved; }
    void accept() override;

private:
    BrokerBook &m_book;
    Messenger &m_messenger;
    std::optional<BrokerEntry> m_original;
    QLineEdit *m_name;
    std::array<QLineEdit *, BrokerRateCount> m_rates{};
    std::string m_saved;
    BrokerScheduleStore *m_schedules = nullptr;
    QCheckBox *m_byschedule = nullptr;
    std::array<QLineEdit *, 7> m_scheduleFields{};

    void buildSchedule(int top);
    std::optional<std::optional<BrokerSchedule>> readSchedule();
    bool saveSchedule(const std::optional<BrokerSchedule> &schedule);
};
