#pragma once

#include "core/portfolio/portfolio.h"
#include "core/trades/tradeledger.h"
#include "core/trades/tradepricing.h"
#include "gui/shell/dockedpanel.h"

#include <vector>

class HoldingSection;
class QLabel;
class QWidget;

// "My Profile": the user's holdings, delivery above and intraday below, each with its totals,
// valued with every charge of the broker they were bought through. Its symbols ride on every
// main refresh for as long as the panel exists, shown or hidden.
class PortfolioPanel : public DockedPanel
{
    Q_OBJECT
public:
    static constexpr const char *NoEditSelection = "Please select atleast ONE company to EDIT";
    static constexpr const char *NoDeleteSelection = "Please select atleast ONE company to delete";
    static constexpr const char *NoSellSelection = "Please select the company you sold";

    PortfolioPanel(AppContext &context, QWidget *bar);
    ~PortfolioPanel() override;

    // Values the lots with the latest quotes and shows both lists.
    void refresh();

    Portfolio &portfolio() { return m_portfolio; }
    HoldingSection *section(TradeKind kind) const;
    const std::vector<BrokerEntry> &brokers() const { return m_brokers; }
    // How each broker prices a trade: its schedule, else its sixteen percentages.
    TradePricing pricing() const;
    // The lots again from the trades, after trades changed outside the lists' own edits.
    void reloadLots();

signals:
    void refreshed();

private:
    void buildControls();
    void loadBrokers();
    void tell(std::vector<std::string> warnings);
    // The priced trade book the returns are worked from, again after trades or rates change.
    void loadTradeLines();
    // Each row's XIRR, and the portfolio's realised, unrealised and XIRR under the lists.
    void showReturns(HoldingList &delivery, HoldingList &intraday);

    void pressAdd(TradeKind kind);
    void pressEdit(TradeKind kind);
    void pressDelete(TradeKind kind);
    void pressSell(TradeKind kind);
    void pressImportTrades();
    void pressTrades();
    void pressBrokers();
    void pressProfitCalc();
    void pressExport();
    // "Export Gains": one financial year's gains report as CSV under ProfileData.
    void pressExportGains();
    void openChart(TradeKind kind, int row);

    Portfolio m_portfolio;
    std::vector<BrokerEntry> m_brokers;
    std::map<long, BrokerSchedule> m_schedules;
    HoldingSection *m_delivery = nullptr;
    HoldingSection *m_intraday = nullptr;
    QLabel *m_returns = nullptr;
    std::vector<TradeLine> m_tradeLines;
    std::string m_tradeLinesError;
    bool m_telling = false;
};
