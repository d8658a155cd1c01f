#include "indiatime.h"
#include "jsonvalue.h"
#include "replyreaders.h"

#include <cmath>

std::optional<std::string> readCrumb(std::string_view body)
{
    while (!body.empty() && (body.back() == '\n' || body.back() == '\r'))
        body.remove_suffix(1);
    if (body.size() < 5 || body.size() > 32)
        return std::nullopt;
    for (const char c : body) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '/' || c == '_' || c == '-';
        if (!plain)
            return std::nullopt;
    }
    return std::string(body);
}

namespace {

std::optional<double> positive(const JsonValue &value)
{
    const std::optional<double> n = value.number();
    if (!n || *n <= 0)
        return std::nullopt;
    return n;
}

std::optional<std::int64_t> count(const JsonValue &value)
{
    const std::optional<double> n = value.number();
    if (!n || *n < 0 || *n > 9e15)
        return std::nullopt;
    return static_cast<std::int64_t>(std::llround(*n));
}

LiveQuote quoteOf(const JsonValue &item, const std::string &symbol)
{
    LiveQuote q;
    q.symbol = symbol;
    q.last = positive(item["regularMarketPrice"]);
    q.change = item["regularMarketChange"].number();
    const std::optional<double> previous = positive(item["regularMarketPreviousClose"]);
    if (!q.change && q.last && previous)
        q.change = *q.last - *previous;
    if (!q.last)
        q.change.reset();
    q.open = positive(item["regularMarketOpen"]);
    q.high = positive(item["regularMarketDayHigh"]);
    q.low = positive(item["regularMarketDayLow"]);
    q.volume = count(item["regularMarketVolume"]);
    q.yearLow = positive(item["fiftyTwoWeekLow"]);
    q.yearHigh = positive(item["fiftyTwoWeekHigh"]);
    q.marketState = item["marketState"].string().value_or("");
    if (const std::optional<double> delay = item["exchangeDataDelayedBy"].number();
        delay && *delay >= 0 && *delay < 24 * 60)
        q.delayedMinutes = static_cast<int>(*delay);
    if (const std::optional<std::int64_t> time = count(item["regularMarketTime"])) {
        q.at = time;
        q.date = indiatime::slashDate(indiatime::indiaDay(*time));
        q.time = indiatime::clockTime(*time);
    }
    return q;
}

} // namespace

ReadResult readBatchQuotes(std::string_view body, std::map<std::string, LiveQuote> &out)
{
    out.clear();
    if (body.size() > maxReplyBytes)
        return {false, false, "reply too large"};
    const std::optional<JsonValue> root = JsonValue::parse(body);
    if (!root)
        return {false, false, "unreadable reply"};
    const JsonValue &response = (*root)["quoteResponse"];
    const JsonValue &error =
        response["error"].isObject() ? response["error"] : (*root)["finance"]["error"];
    if (error.isObject())
        return {false, false, error["description"].string().value_or("error")};
    const JsonValue &result = response["result"];
    if (!result.isArray())
        return {false, false, "reply without a result"};
    for (std::size_t i = 0; i < result.size(); ++i) {
        const std::optional<std::string> symbol = result.at(i)["symbol"].string();
        if (symbol && !symbol->empty())
            out[*symbol] = quoteOf(result.at(i), *symbol);
    }
    return {true, false, {}};
}
