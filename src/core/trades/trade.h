#pragma once

#include "core/portfolio/brokerrates.h"

#include <string>

enum class TradeSide { Buy, Sell };

// One executed trade. Dates are "YYYY-MM-DD" and times "HH:MM:SS", so text order is time
// order; an empty date means "not known" (lots typed before trades had dates), never a
// made-up one.
struct Trade
{
    long id = 0; // assigned by the store; 0 before it is stored
    std::string date;
    std::string time;
    std::string exchange; // "NSE" or "BSE"
    std::string symbol;
    std::string companyName;
    std::string isin;
    TradeSide side = TradeSide::Buy;
    long quantity = 0;
    double price = 0;
    TradeKind kind = TradeKind::Delivery;
    long brokerId = 0;
    std::string source;          // TypedSource or the imported file's name
    std::string exchangeTradeId; // empty when not known
    // The broker's order the trade filled, in part or whole; empty: an order of its own.
    std::string orderId;

    bool operator==(const Trade &) const = default;
};

inline constexpr const char *TypedSource = "typed";

// Trades in the order they happened: unknown dates first (they predate every dated trade),
// then by date and time, and the order they were stored in for the rest.
bool happenedBefore(const Trade &a, const Trade &b);
