#pragma once

#include "core/trades/trade.h"

#include <optional>
#include <string>

// The holding a sale is entered for: one row of a holding list.
struct SaleHolding
{
    std::string companyName;
    std::string exchange;
    std::string symbol;
    TradeKind kind = TradeKind::Delivery;
    long held = 0;
};

// What the Sell dialog hands over; the quantity at most what is held, the price above 0, the
// date a real one.
struct SaleValues
{
    long quantity = 0;
    double price = 0;
    std::string date;
    long brokerId = 0;
};

// Why the sale can't be stored, or nothing when it can.
std::optional<std::string> saleRefusal(const SaleHolding &holding, const SaleValues &values);
// The sell trade, typed by the user.
Trade saleTrade(const SaleHolding &holding, const SaleValues &values);

// Whether text is a date "YYYY-MM-DD" of the calendar.
bool isCalendarDate(std::string_view text);
