#pragma once

#include "core/trades/trade.h"

#include <string>
#include <vector>

// The statutory charges on cash equity from one date on. Rates are percentages of the trade
// value unless said otherwise.
struct StatutoryRates
{
    std::string effectiveFrom; // "YYYY-MM-DD"
    double sttDeliveryBuy = 0;
    double sttDeliverySell = 0;
    double sttIntradayBuy = 0;
    double sttIntradaySell = 0;
    double exchangeNse = 0;
    double exchangeBse = 0;
    double sebiFee = 0;
    double stampDelivery = 0; // buy side only
    double stampIntraday = 0; // buy side only
    double gst = 0;           // of brokerage + exchange charge + SEBI fee
};

// The rates in force since 1 October 2024, shipped as the default schedule.
StatutoryRates statutoryRates2024();

// Brokerage of one order: a percentage of its value, then raised to the minimum and lowered
// to the cap (0 means none).
struct OrderBrokerage
{
    double percent = 0;
    double minimum = 0;
    double cap = 0;

    bool operator==(const OrderBrokerage &) const = default;
};

// What a broker priced by schedule charges on top of the statutory rates.
struct BrokerSchedule
{
    OrderBrokerage delivery;
    OrderBrokerage intraday;
    double dpCharge = 0; // rupees per company per day sold from delivery

    bool operator==(const BrokerSchedule &) const = default;
};

// The dated statutory schedules, oldest first; a trade takes the last one that began on or
// before its date. A trade before the first one, or of unknown date, takes the nearest.
class ChargeCalendar
{
public:
    ChargeCalendar() : m_schedules{statutoryRates2024()} {}
    explicit ChargeCalendar(std::vector<StatutoryRates> schedules);
    const StatutoryRates &inForceOn(const std::string &date) const;

private:
    std::vector<StatutoryRates> m_schedules;
};

// The charges of one trade, in rupees rounded to the paisa.
struct TradeCharges
{
    double brokerage = 0;
    double stt = 0;
    double exchangeCharge = 0;
    double sebiFee = 0;
    double stampDuty = 0;
    double gst = 0;
    double dpCharge = 0;
    double total = 0;
};

TradeCharges scheduledCharges(const Trade &trade, const BrokerSchedule &broker,
                              const StatutoryRates &rates);

// The brokerage of one executed order of this value, minimum and cap applied.
double orderBrokerage(double value, const OrderBrokerage &brokerage);
// The charges with another brokerage, and the GST and total that follow from it.
TradeCharges withBrokerage(TradeCharges charges, double brokerage, const StatutoryRates &rates);
