#include "replypolicy.h"

ReplyPolicy::Settings ReplyPolicy::settings() const
{
    std::lock_guard lock(m_mutex);
    return m_settings;
}

void ReplyPolicy::setFault(FaultKind fault)
{
    std::lock_guard lock(m_mutex);
    m_settings.fault = fault;
}

void ReplyPolicy::setShortLines(int lines)
{
    std::lock_guard lock(m_mutex);
    m_settings.shortLines = lines;
}

void ReplyPolicy::setLatencyMs(int ms)
{
    std::lock_guard lock(m_mutex);
    m_settings.latencyMs = ms;
}

void ReplyPolicy::setFaultSymbol(std::string symbol)
{
    std::lock_guard lock(m_mutex);
    m_settings.faultSymbol = std::move(symbol);
}

void ReplyPolicy::setFaultPath(std::string path)
{
    std::lock_guard lock(m_mutex);
    m_settings.faultPath = std::move(path);
}

void ReplyPolicy::setTrickleMs(int ms)
{
    std::lock_guard lock(m_mutex);
    m_settings.trickleMs = ms;
}

void ReplyPolicy::setGarbledPrice(std::string text)
{
    std::lock_guard lock(m_mutex);
    m_settings.garbledPrice = std::move(text);
}

bool ReplyPolicy::waitFor(std::chrono::milliseconds duration) const
{
    std::unique_lock lock(m_mutex);
    return !m_wake.wait_for(lock, duration, [this] { return m_stopping; });
}

void ReplyPolicy::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
}

bool ReplyPolicy::stopping() const
{
    std::lock_guard lock(m_mutex);
    return m_stopping;
}
