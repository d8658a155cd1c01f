#pragma once

#include "core/net/quoteorigin.h"
#include "core/portfolio/brokerrates.h"

#include <optional>
#include <string>
#include <vector>

// One purchase lot in memory: the stored lot and what the latest quote of its symbol said.
// Market price and change stay 0 until a quote has arrived.
struct HeldLot
{
    ProfileLot lot;
    double marketPrice = 0;
    double change = 0;
    QuoteOrigin origin = {}; // of the price, for the row's tooltip
};

// One entry of the quote request: a symbol of the portfolio with the company and exchange of
// the first lot that named it.
struct ProfileSymbol
{
    std::string companyName;
    std::string exchange;
    std::string symbol;
};

// One stock of a list: its lots merged, priced by the broker of its first lot. Numbers only;
// the list shows them through the display formatter.
struct HoldingRow
{
    std::string companyName;
    std::string exchange;
    std::string symbol;
    long brokerId = 0;
    long quantity = 0;
    double averageCost = 0;
    double marketPrice = 0;
    double changePercent = 0;
    double costPlusCharges = 0; // "CP+Brkrge"
    double youGet = 0;          // "You'll Get"
    double netProfitLoss = 0;   // "Net P/L "
    double netProfitLossPercent = 0;
    // The annual rate of the company's whole history (0.1234 for 12.34%); none when it has
    // none, and xirrNeedsDates when that is because buy dates are unknown.
    std::optional<double> xirr = std::nullopt;
    bool xirrNeedsDates = false;
    QuoteOrigin origin = {}; // of the market price
};

// The three figures under each list.
struct HoldingTotals
{
    double valueAtCost = 0;   // cost plus buying charges, every row
    double valueAtMarket = 0; // what selling would bring, rows with a quote only
    double unrealized = 0;    // net profit/loss
};

struct HoldingList
{
    std::vector<HoldingRow> rows;
    HoldingTotals totals;
};

// One lot as the holding entry dialog keeps it.
struct LotValues
{
    double price = 0;
    long shares = 0;
    std::string date = {}; // the day bought, "YYYY-MM-DD"; empty when not known

    bool operator==(const LotValues &) const = default;
};

// What the holding entry dialog hands over on OK: one stock, its broker and its lots.
struct HoldingEntry
{
    std::string companyName;
    std::string exchange; // "NSE" or "BSE"
    std::string symbol;
    long brokerId = 0;
    TradeKind kind = TradeKind::Delivery;
    std::vector<LotValues> lots;
};
