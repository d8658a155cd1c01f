#pragma once

#include "marketmodel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// The exchange's futures pages over the simulated market: for every stock of the futures
// list, its contract page with the three monthly contracts (each expiring on the last
// Thursday of its month) priced off the stock's simulated quote, and the day's trade
// statistics. The far month trades thinly, so its page shows "-" and zero cells on some days.
// A symbol not on the list gets a page without contract rows.
class FuturesPages
{
public:
    FuturesPages(const MarketModel &model, std::uint64_t seed) : m_model(model), m_seed(seed) {}

    // The symbols of data/futures.csv (Underlying,Symbol); false when it cannot be read.
    bool loadList(const std::string &path);
    void addSymbol(std::string symbol) { m_symbols.insert(std::move(symbol)); }

    std::string contractPage(std::string_view symbol, std::int64_t now) const;
    std::string statsPage(std::int64_t now) const;

    // The last Thursday of a month, in days since 1970-01-01.
    static std::int64_t lastThursday(int year, int month);
    // The expiries of the three running contracts on a day, as the page writes them
    // (26JUN2008).
    static std::vector<std::string> expiries(std::int64_t day);

private:
    const MarketModel &m_model;
    std::uint64_t m_seed;
    std::unordered_set<std::string> m_symbols;
};
