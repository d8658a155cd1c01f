#include "simmarket.h"

#include "chartseries.h"
#include "simtime.h"

bool SimMarket::quotes(const std::vector<std::string> &symbols,
                       std::vector<std::optional<QuoteFields>> &out, std::string &)
{
    const std::int64_t time = m_clock.now();
    out.clear();
    out.reserve(symbols.size());
    for (const std::string &symbol : symbols) {
        const Instrument *instrument = m_model.universe().find(symbol);
        if (instrument)
            out.push_back(fields(*instrument, m_model.quote(*instrument, time)));
        else
            out.emplace_back();
    }
    return true;
}

std::optional<ChartSubject> SimMarket::chart(const std::string &symbol, ChartRange range)
{
    const Instrument *instrument = m_model.universe().find(symbol);
    if (!instrument)
        return std::nullopt;
    const std::int64_t time = m_clock.now();
    const TradingCalendar &calendar = m_model.calendar();
    return ChartSubject{instrument->symbol,
                        instrument->name,
                        instrument->exchange,
                        m_model.quote(*instrument, time).previousClose,
                        chartSeries(m_model, *instrument, range, time),
                        calendar.openMinute(),
                        calendar.sessionMinutes()};
}

QuoteFields SimMarket::fields(const Instrument &instrument, const Quote &q)
{
    return {instrument.symbol,
            q.last,
            q.change,
            q.open,
            q.high,
            q.low,
            q.volume,
            q.yearLow,
            q.yearHigh,
            simtime::formatQuoteDate(q.day),
            simtime::formatQuoteTime(q.minute)};
}
