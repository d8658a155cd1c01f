#pragma once

#include "core/portfolio/portfolio.h"
#include "core/trades/tradepricing.h"
#include "gui/shell/dockedpanel.h"

#include <vector>

class HoldingSection;
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

    void pressAdd(TradeKind kind);
    void pressEdit(TradeKind kind);
    void pressDelete(TradeKind kind);
    void pressSell(TradeKind kind);
    void pressImportTrades();
    void pressTrades();
    void pressBrokers();
    void pressProfitCalc();
    void pressExport();
    void openChart(TradeKind kind, int row);

    Portfolio m_portfolio;
    std::vector<BrokerEntry> m_brokers;
    HoldingSection *m_delivery = nullptr;
    HoldingSection *m_intraday = nullptr;
    bool m_telling = false;
};
