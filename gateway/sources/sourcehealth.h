#pragma once

#include "livesource.h"

#include <chrono>
#include <map>
#include <mutex>
#include <set>
#include <string>

// A source's record of how its calls went, for the status page, and of the symbols it does not
// know: each is reported once on stderr and kept, so it is not asked for again for a while.
class SourceHealth
{
public:
    using Clock = std::chrono::system_clock;
    explicit SourceHealth(std::string name) : m_name(std::move(name)) {}

    void succeeded(Clock::time_point at);
    void failed(const std::string &reason);
    void unknown(const std::string &symbol, Clock::time_point at);
    bool recentlyUnknown(const std::string &symbol, Clock::time_point at) const;
    SourceStatus status(std::optional<Clock::time_point> throttledUntil) const;

private:
    std::string m_name;
    mutable std::mutex m_mutex;
    std::string m_state = "idle";
    std::string m_lastSuccess;
    std::string m_lastError;
    std::set<std::string> m_reported;
    std::map<std::string, Clock::time_point> m_unknownSince;
};

// Answers a source gave recently, per symbol, so a 15-second refresh asks the host once.
template <typename Answer> class AnswerCache
{
public:
    using Clock = std::chrono::system_clock;
    static constexpr std::chrono::seconds lifetime{15};

    std::optional<Answer> find(const std::string &key, Clock::time_point at) const
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_entries.find(key);
        if (it == m_entries.end() || at < it->second.first || at - it->second.first >= lifetime)
            return std::nullopt;
        return it->second.second;
    }
    void keep(const std::string &key, Answer answer, Clock::time_point at)
    {
        std::lock_guard lock(m_mutex);
        if (m_entries.size() > 5000)
            m_entries.clear();
        m_entries[key] = {at, std::move(answer)};
    }

private:
    mutable std::mutex m_mutex;
    std::map<std::string, std::pair<Clock::time_point, Answer>> m_entries;
};
