#pragma once

#include "core/store/storerows.h"

#include <string_view>

// Delivery lots are held over days, intraday lots are squared off the same day; each kind
// has its own eight rates. Stored as DELIVERYTYPE 0 and 1 (any nonzero value is intraday).
enum class TradeKind { Delivery = 0, Intraday = 1 };

inline constexpr TradeKind tradeKindOf(int deliveryType)
{
    return deliveryType == 0 ? TradeKind::Delivery : TradeKind::Intraday;
}
inline constexpr int deliveryTypeOf(TradeKind kind)
{
    return kind == TradeKind::Delivery ? 0 : 1;
}

// One side's four percentages: brokerage of the trade value, service tax of the brokerage,
// transaction tax and other charges of the trade value.
struct SideRates
{
    double brokerage = 0;
    double serviceTax = 0;
    double transactionTax = 0;
    double others = 0;
};

struct TradeRates
{
    SideRates buy;
    SideRates sell;
};

// The eight rates of one trade kind, from the broker's sixteen.
TradeRates ratesOf(const BrokerEntry &broker, TradeKind kind);

// The broker whose brokerage never goes below a minimum per trade (exact, case-sensitive
// name), and that minimum in rupees. Only the portfolio's own valuation applies it.
inline constexpr std::string_view MinimumBrokerageBroker = "ICICI Direct";
inline constexpr double MinimumBrokerage = 25;

// What "Configure A Broker" proposes for a new broker, in column order.
BrokerEntry newBroker();
