#pragma once

#include "faults.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

// How the service answers right now: the fault to play and the delay before each reply.
// The control endpoint changes it between requests; stop() wakes every reply that is
// waiting, so a delayed or hanging reply never holds up shutting down.
struct ReplySettings
{
    FaultKind fault = FaultKind::None;
    int shortLines = 2;
    int latencyMs = 0;
    // When set, the fault plays only on quote and chart-data requests that name this symbol:
    // one batch of many sent at once fails, or one stock's backfill, while the others are
    // answered.
    std::string faultSymbol;
    // When set, the fault plays only on requests whose path starts with this: one service
    // fails ("/z" for chart images) while the others answer.
    std::string faultPath;
    // A trickling reply sends one byte every this many milliseconds.
    int trickleMs = 100;
    // The price field of every line under the "price" fault: any bytes, NUL included.
    std::string garbledPrice = "inf";
};

class ReplyPolicy
{
public:
    using Settings = ReplySettings;

    explicit ReplyPolicy(Settings initial = {}) : m_settings(initial) {}

    Settings settings() const;
    void setFault(FaultKind fault);
    void setShortLines(int lines);
    void setLatencyMs(int ms);
    void setFaultSymbol(std::string symbol);
    void setFaultPath(std::string path);
    void setTrickleMs(int ms);
    void setGarbledPrice(std::string text);

    // Waits for the given time; false when the service is stopping.
    bool waitFor(std::chrono::milliseconds duration) const;
    void stop();
    bool stopping() const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_wake;
    Settings m_settings;
    bool m_stopping = false;
};
