#include "simcontrol.h"

#include "simtime.h"

#include <charconv>
#include <optional>

namespace {
template <typename T> std::optional<T> number(const std::string &text, T low, T high)
{
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}
} // namespace

bool applyControl(const QueryString &query, ReplyPolicy &policy, SimClock &clock,
                  std::string &error)
{
    std::optional<FaultKind> fault;
    std::optional<int> shortLines, latencyMs, trickleMs;
    std::optional<std::string> faultSymbol, faultPath, price;
    std::optional<std::int64_t> setTime, advance;
    for (const auto &[key, value] : query.items()) {
        bool ok = true;
        if (key == "fault")
            ok = (fault = parseFaultKind(value)).has_value();
        else if (key == "short-lines")
            ok = (shortLines = number(value, 0, 1000000)).has_value();
        else if (key == "fault-symbol")
            faultSymbol = value;
        else if (key == "fault-path")
            faultPath = value;
        else if (key == "price")
            price = value;
        else if (key == "trickle-ms")
            ok = (trickleMs = number(value, 1, 60000)).has_value();
        else if (key == "latency-ms")
            ok = (latencyMs = number(value, 0, 3600000)).has_value();
        else if (key == "clock")
            ok = (setTime = simtime::parseIso(value)).has_value();
        else if (key == "advance")
            ok = (advance = number<std::int64_t>(value, -3650 * simtime::SecondsPerDay,
                                                 3650 * simtime::SecondsPerDay))
                     .has_value();
        else
            ok = false;
        if (!ok) {
            error = "bad control setting: " + key + "=" + value;
            return false;
        }
    }
    if (fault)
        policy.setFault(*fault);
    if (shortLines)
        policy.setShortLines(*shortLines);
    if (latencyMs)
        policy.setLatencyMs(*latencyMs);
    if (faultSymbol)
        policy.setFaultSymbol(*faultSymbol);
    if (faultPath)
        policy.setFaultPath(*faultPath);
    if (trickleMs)
        policy.setTrickleMs(*trickleMs);
    if (price)
        policy.setGarbledPrice(*price);
    if (setTime)
        clock.set(*setTime);
    if (advance)
        clock.advance(*advance);
    return true;
}
