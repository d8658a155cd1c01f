#pragma once

#include <httplib.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// The faults a live source's host can play instead of its recorded reply, for the in-process
// fake sources and vantrel-fakesources alike. Down is the host's own business (a closed port,
// or a 503 where several sources share one host); every other fault is played here.
enum class SourceFault { None, Down, Hang, Http500, Drop, Short, Garbage, LongLine, Trickle };

inline constexpr std::array<std::pair<std::string_view, SourceFault>, 9> SourceFaultNames{
    {{"none", SourceFault::None},
     {"down", SourceFault::Down},
     {"hang", SourceFault::Hang},
     {"http500", SourceFault::Http500},
     {"drop", SourceFault::Drop},
     {"short", SourceFault::Short},
     {"garbage", SourceFault::Garbage},
     {"longline", SourceFault::LongLine},
     {"trickle", SourceFault::Trickle}}};

inline std::optional<SourceFault> sourceFaultNamed(std::string_view name)
{
    const auto it =
        std::ranges::find(SourceFaultNames, name, &decltype(SourceFaultNames)::value_type::first);
    return it == SourceFaultNames.end() ? std::nullopt : std::optional(it->second);
}

inline std::string_view sourceFaultName(SourceFault fault)
{
    return SourceFaultNames[static_cast<std::size_t>(fault)].first; // in the enum's order
}

// Waits up to the given time; false when the host is shutting down and should stop at once.
using FaultSleep = std::function<bool(std::chrono::milliseconds)>;

// Answers with the fault in place of the body; false when the fault leaves the reply as it is
// (None, and Down, which never gets this far).
inline bool playSourceFault(SourceFault fault, const std::string &body, const std::string &type,
                            httplib::Response &response, const FaultSleep &sleep)
{
    auto whole = std::make_shared<const std::string>(body);
    switch (fault) {
    case SourceFault::None:
    case SourceFault::Down:
        return false;
    case SourceFault::Hang:
        sleep(std::chrono::minutes(1));
        response.status = 503;
        return true;
    case SourceFault::Http500:
        response.status = 500;
        response.set_content("Internal Server Error\n", "text/plain");
        return true;
    case SourceFault::Drop:
        // Promises the whole reply, sends half of it, then closes.
        response.set_content_provider(
            whole->size() + 512, type.c_str(),
            [whole](std::size_t offset, std::size_t, httplib::DataSink &sink) {
                if (offset < whole->size() / 2)
                    sink.write(whole->data() + offset, whole->size() / 2 - offset);
                return false;
            });
        return true;
    case SourceFault::Short:
        // Whole as far as HTTP can tell, but cut in the middle.
        response.set_content(whole->substr(0, whole->size() / 2), type.c_str());
        return true;
    case SourceFault::Garbage: {
        std::string noise(4096, '\0');
        for (std::size_t i = 0; i < noise.size(); ++i)
            noise[i] = static_cast<char>((i * 7919 + 13) % 251);
        response.set_content(noise, "application/octet-stream");
        return true;
    }
    case SourceFault::LongLine: {
        std::string line(1024 * 1024, '9');
        for (std::size_t i = 7; i < line.size(); i += 8)
            line[i] = '.';
        response.set_content(line + "\r\n", type.c_str());
        return true;
    }
    case SourceFault::Trickle:
        response.set_content_provider(
            whole->size(), type.c_str(),
            [whole, sleep](std::size_t offset, std::size_t, httplib::DataSink &sink) {
                // Stops when the client gives up (the write fails) or the host stops.
                return (offset == 0 || sleep(std::chrono::milliseconds(100))) &&
                       sink.write(whole->data() + offset, 1);
            });
        return true;
    }
    return false;
}
