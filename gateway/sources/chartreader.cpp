#include "jsonvalue.h"
#include "replyreaders.h"

#include <cmath>

namespace {

std::optional<std::int64_t> wholeNumber(const JsonValue &value)
{
    const std::optional<double> n = value.number();
    if (!n || *n < 0 || *n > 9e15)
        return std::nullopt;
    return static_cast<std::int64_t>(std::llround(*n));
}

// Prices are positive; a zero or negative price is a placeholder, not a price.
std::optional<double> price(const JsonValue &value)
{
    const std::optional<double> n = value.number();
    if (!n || *n <= 0)
        return std::nullopt;
    return n;
}

} // namespace

ReadResult readChartReply(std::string_view body, ChartReply &out)
{
    out = ChartReply{};
    if (body.size() > maxReplyBytes)
        return {false, false, "reply too large"};
    const std::optional<JsonValue> root = JsonValue::parse(body);
    if (!root)
        return {false, false, "unreadable reply"};
    const JsonValue &chart = (*root)["chart"];
    const JsonValue &error = chart["error"];
    if (error.isObject()) {
        std::string code = error["code"].string().value_or("");
        if (code.empty())
            code = error["description"].string().value_or("");
        // Every refusal says why, even when the reply's own reason is blank.
        return {false, code == "Not Found", code.empty() ? "error without a reason" : code};
    }
    const JsonValue &result = chart["result"].at(0);
    if (!result.isObject())
        return {false, false, "reply without a result"};

    const JsonValue &meta = result["meta"];
    out.price = price(meta["regularMarketPrice"]);
    out.previousClose = price(meta["previousClose"]);
    if (!out.previousClose)
        out.previousClose = price(meta["chartPreviousClose"]);
    out.dayHigh = price(meta["regularMarketDayHigh"]);
    out.dayLow = price(meta["regularMarketDayLow"]);
    out.yearHigh = price(meta["fiftyTwoWeekHigh"]);
    out.yearLow = price(meta["fiftyTwoWeekLow"]);
    out.dayVolume = wholeNumber(meta["regularMarketVolume"]);
    out.marketTime = wholeNumber(meta["regularMarketTime"]);

    // A range without bars has no timestamp key at all.
    const JsonValue &times = result["timestamp"];
    const JsonValue &quote = result["indicators"]["quote"].at(0);
    for (std::size_t i = 0; i < times.size(); ++i) {
        ChartPoint point;
        const std::optional<std::int64_t> time = wholeNumber(times.at(i));
        if (!time)
            continue;
        point.time = *time;
        point.open = price(quote["open"].at(i));
        point.high = price(quote["high"].at(i));
        point.low = price(quote["low"].at(i));
        point.close = price(quote["close"].at(i));
        point.volume = wholeNumber(quote["volume"].at(i));
        out.points.push_back(point);
    }
    if (!out.price && out.points.empty())
        return {false, false, "reply without prices"};
    return {true, false, {}};
}
