#pragma once

#include "core/trades/chargeschedule.h"

#include <map>
#include <vector>

// How every broker prices a trade: the brokers priced by schedule have one here; the rest
// are priced by their sixteen percentages as the holding lists price them. A broker id that
// is neither prices with every rate 0.
struct TradePricing
{
    std::vector<BrokerEntry> brokers;
    std::map<long, BrokerSchedule> schedules;
    ChargeCalendar calendar;
};

// The charges of each trade, at the same index. A company's DP charge is taken once per day
// it is sold from delivery, with the first sale of that day. A scheduled broker's minimum and
// cap apply to each executed order: the trades of one order id (same broker, exchange,
// symbol, day, side and kind) share its brokerage by value; a trade without an order id is an
// order alone.
std::vector<TradeCharges> priceTrades(const std::vector<Trade> &trades,
                                      const TradePricing &pricing);
