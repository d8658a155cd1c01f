#pragma once

#include "core/store/storerows.h"

#include <QDialog>

#include <array>
#include <optional>
#include <string>

class BrokerBook;
class Messenger;
class QLineEdit;

// "Configure A Broker": a broker's name and its sixteen rates, delivery and intraday, buy and
// sell. Opened without a broker it adds one, starting from the proposed rates; opened with
// one it edits that broker, and may give it any name.
class ConfigureBrokerDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char *Caption = "Configure A Broker";

    ConfigureBrokerDialog(BrokerBook &book, Messenger &messenger,
                          std::optional<BrokerEntry> original, QWidget *parent = nullptr);

    // Runs the dialog; the name stored on OK, nothing on Cancel.
    static std::optional<std::string> ask(BrokerBook &book, Messenger &messenger,
                                          std::optional<BrokerEntry> original, QWidget *parent);

    const std::string &savedName() const { return m_saved; }
    void accept() override;

private:
    BrokerBook &m_book;
    Messenger &m_messenger;
    std::optional<BrokerEntry> m_original;
    QLineEdit *m_name;
    std::array<QLineEdit *, BrokerRateCount> m_rates{};
    std::string m_saved;
};
