#include "core/trades/chargeschedule.h"

#include "core/portfolio/rounding.h"

#include <algorithm>

StatutoryRates statutoryRates2024()
{
    StatutoryRates r;
    r.effectiveFrom = "2024-10-01";
    r.sttDeliveryBuy = 0.1;
    r.sttDeliverySell = 0.1;
    r.sttIntradayBuy = 0;
    r.sttIntradaySell = 0.025;
    r.exchangeNse = 0.00297;
    r.exchangeBse = 0.00375;
    r.sebiFee = 0.0001;
    r.stampDelivery = 0.015;
    r.stampIntraday = 0.003;
    r.gst = 18;
    return r;
}

ChargeCalendar::ChargeCalendar(std::vector<StatutoryRates> schedules)
    : m_schedules(std::move(schedules))
{
    if (m_schedules.empty())
        m_schedules.push_back(statutoryRates2024());
    std::ranges::sort(m_schedules, {}, &StatutoryRates::effectiveFrom);
}

const StatutoryRates &ChargeCalendar::inForceOn(const std::string &date) const
{
    if (date.empty())
        return m_schedules.back();
    const auto after =
        std::ranges::upper_bound(m_schedules, date, {}, &StatutoryRates::effectiveFrom);
    return after == m_schedules.begin() ? m_schedules.front() : *(after - 1);
}

namespace {
double percentOf(double value, double percent)
{
    return roundHalfAway(value * percent / 100, 2);
}
} // namespace

double orderBrokerage(double value, const OrderBrokerage &b)
{
    double brokerage = value * b.percent / 100;
    brokerage = std::max(brokerage, b.minimum);
    if (b.cap > 0)
        brokerage = std::min(brokerage, b.cap);
    return roundHalfAway(brokerage, 2);
}

TradeCharges withBrokerage(TradeCharges c, double brokerage, const StatutoryRates &rates)
{
    c.total -= c.brokerage + c.gst;
    c.brokerage = brokerage;
    c.gst = percentOf(c.brokerage + c.exchangeCharge + c.sebiFee, rates.gst);
    c.total += c.brokerage + c.gst;
    return c;
}

TradeCharges scheduledCharges(const Trade &trade, const BrokerSchedule &broker,
                              const StatutoryRates &rates)
{
    const bool delivery = trade.kind == TradeKind::Delivery;
    const bool buy = trade.side == TradeSide::Buy;
    const double value = double(trade.quantity) * trade.price;
    TradeCharges c;
    c.brokerage = orderBrokerage(value, delivery ? broker.delivery : broker.intraday);
    c.stt = percentOf(value, delivery ? (buy ? rates.sttDeliveryBuy : rates.sttDeliverySell)
                                      : (buy ? rates.sttIntradayBuy : rates.sttIntradaySell));
    c.exchangeCharge =
        percentOf(value, trade.exchange == "BSE" ? rates.exchangeBse : rates.exchangeNse);
    c.sebiFee = percentOf(value, rates.sebiFee);
    if (buy)
        c.stampDuty = percentOf(value, delivery ? rates.stampDelivery : rates.stampIntraday);
    c.gst = percentOf(c.brokerage + c.exchangeCharge + c.sebiFee, rates.gst);
    c.total = c.brokerage + c.stt + c.exchangeCharge + c.sebiFee + c.stampDuty + c.gst;
    return c;
}
