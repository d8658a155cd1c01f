#include "quotefreshness.h"

#include "indiatime.h"

#include <algorithm>

Freshness freshnessOf(const LiveQuote &quote, const MarketCalendar &calendar, std::int64_t nowUtc)
{
    Freshness f;
    if (!quote.at)
        return f; // no time of its own: nothing says it is anything but old
    const std::int64_t at = *quote.at;
    f.day = indiatime::indiaDay(at);
    const bool sessionNow = calendar.sessionOpen(nowUtc);
    const bool sourceSaysOpen = quote.marketState.empty() || quote.marketState == "REGULAR";
    // A stamp a little ahead of our clock is the clocks' difference, not a future price.
    const bool today = f.day == indiatime::indiaDay(nowUtc) && at <= nowUtc + 60;
    if (!quote.closingPrice && sessionNow && sourceSaysOpen && today && calendar.sessionOpen(at)) {
        const std::int64_t lag = std::max<std::int64_t>(nowUtc - at, 0);
        const int delay = std::max(quote.delayedMinutes.value_or(0), 0);
        if (delay == 0 && lag <= LiveForSeconds) {
            f.kind = Freshness::Live;
            f.source = quote.source;
            return f;
        }
        f.kind = Freshness::Delayed;
        f.minutes = std::max(delay, static_cast<int>(lag / 60));
        return f;
    }
    f.kind = !sessionNow && f.day == calendar.lastClosedSession(nowUtc) ? Freshness::Closed
                                                                        : Freshness::EndOfDay;
    return f;
}

bool lessFresh(const Freshness &a, const Freshness &b)
{
    if (a.kind != b.kind)
        return a.kind > b.kind;
    if (a.kind == Freshness::Delayed)
        return a.minutes > b.minutes;
    return a.day < b.day;
}

std::string labelOf(const Freshness &f)
{
    const std::string date = f.day < 0 ? std::string() : " " + indiatime::slashDate(f.day);
    switch (f.kind) {
    case Freshness::Live:
        return "LIVE via " + f.source;
    case Freshness::Delayed:
        return "DELAYED " + std::to_string(f.minutes) + " min";
    case Freshness::Closed:
        return "CLOSED \u00b7 last close" + date;
    case Freshness::EndOfDay:
        break;
    }
    return "END OF DAY" + date;
}

std::string answerLabel(const std::vector<Freshness> &quotes)
{
    if (quotes.empty())
        return {};
    const Freshness least =
        *std::max_element(quotes.begin(), quotes.end(),
                          [](const Freshness &a, const Freshness &b) { return lessFresh(b, a); });
    if (least.kind != Freshness::Live)
        return labelOf(least);
    std::vector<std::string> sources;
    for (const Freshness &f : quotes)
        if (std::find(sources.begin(), sources.end(), f.source) == sources.end())
            sources.push_back(f.source);
    std::string names;
    for (const std::string &s : sources)
        names += (names.empty() ? "" : ", ") + s;
    return "LIVE via " + names;
}
