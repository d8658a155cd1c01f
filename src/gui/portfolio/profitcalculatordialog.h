#pragma once

#include "core/portfolio/brokerbook.h"
#include "core/portfolio/profitcalculator.h"

#include <QDialog>

#include <optional>

class AppContext;
class ColourLabel;
class QButtonGroup;
class QComboBox;
class QLineEdit;

// "PROFIT Calculator": for one broker and trade kind, the selling price that yields a wanted
// gain, and the profit or loss of a sale at a given price. Without a broker it says so and
// calculates with every rate 0.
class ProfitCalculatorDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char *Caption = "PROFIT Calculator";

    explicit ProfitCalculatorDialog(AppContext &ctx, QWidget *parent = nullptr);

    // Runs the dialog until "Close".
    static void run(AppContext &ctx, QWidget *parent);

private:
    // What every calculation takes from the controls first; nothing after a field's message.
    struct Inputs
    {
        TradeRates rates;
        long shares1;
        double cost1, gain;
        long shares2;
        double cost2, price;
    };
    std::optional<Inputs> take();
    void question1();
    void question2();
    // A change of trade kind or broker answers both questions again.
    void both();

    Messenger &m_messenger;
    BrokerBook m_brokers;
    QButtonGroup *m_kind;
    QComboBox *m_broker;
    QLineEdit *m_shares1, *m_cost1, *m_gain;
    QLineEdit *m_shares2, *m_cost2, *m_price;
    ColourLabel *m_result1, *m_result2;
};
