#pragma once

#include "core/trades/tradeledger.h"

#include <QDialog>

class AppContext;
class QComboBox;
class QLineEdit;
class QTableWidget;

// "Trades": every trade with its charges and each sale's realised result, sortable by any
// column, filtered by symbol and year. "Change Kind" turns the selected trade from delivery
// to intraday or back, as a same-day guess of the import may need.
class TradesDialog : public QDialog
{
    Q_OBJECT
public:
    TradesDialog(AppContext &ctx, TradePricing pricing, QWidget *parent = nullptr);

    // Runs the dialog; true when a trade's kind was changed in it.
    static bool run(AppContext &ctx, TradePricing pricing, QWidget *parent);

    QTableWidget *table() const { return m_table; }
    // Whether a trade's kind was changed: the holding lists must be built again.
    bool changed() const { return m_changed; }

private:
    void reload();
    void showLines();
    void changeKind();

    AppContext &m_ctx;
    TradePricing m_pricing;
    std::vector<TradeLine> m_lines;
    std::vector<TradeLine> m_shown;
    QLineEdit *m_symbol;
    QComboBox *m_year;
    QTableWidget *m_table;
    bool m_changed = false;
};
