#pragma once

#include "sources/livesource.h"

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// A live source whose answers a test writes down: the quotes it knows, or a refusal.
class ScriptedSource : public LiveSource
{
public:
    ScriptedSource(std::string name, std::string label) : m_name(name), m_label(label) {}

    void know(const LiveQuote &quote)
    {
        std::lock_guard lock(m_mutex);
        m_known[quote.symbol] = quote;
    }
    // Bars for every symbol it knows, whatever span is asked.
    void haveBars(std::vector<Bar> bars)
    {
        std::lock_guard lock(m_mutex);
        m_bars = std::move(bars);
    }
    void refuse(std::string reason)
    {
        std::lock_guard lock(m_mutex);
        m_refusal = std::move(reason);
    }

    std::string label() const override { return m_label; }
    void stop() override {}
    SourceOutcome quotes(const std::vector<std::string> &symbols,
                         std::vector<std::optional<LiveQuote>> &out) override
    {
        std::lock_guard lock(m_mutex);
        m_asked.insert(m_asked.end(), symbols.begin(), symbols.end());
        if (!m_refusal.empty())
            return {SourceOutcome::Refused, m_refusal};
        out.clear();
        for (const std::string &symbol : symbols) {
            const auto found = m_known.find(symbol);
            out.push_back(found == m_known.end() ? std::nullopt
                                                 : std::optional<LiveQuote>(found->second));
        }
        return {};
    }
    SourceOutcome bars(const std::string &symbol, BarSpan, int, std::vector<Bar> &out) override
    {
        std::lock_guard lock(m_mutex);
        if (!m_refusal.empty() || m_bars.empty())
            return {SourceOutcome::Refused, "no bars"};
        if (m_known.count(symbol))
            out = m_bars;
        return {};
    }
    SourceStatus status() const override
    {
        std::lock_guard lock(m_mutex);
        return {m_name, m_refusal.empty() ? "ok" : "refused", "", m_refusal, "", {}};
    }
    std::vector<std::string> asked() const
    {
        std::lock_guard lock(m_mutex);
        return m_asked;
    }

private:
    std::string m_name, m_label;
    mutable std::mutex m_mutex;
    std::map<std::string, LiveQuote> m_known;
    std::vector<Bar> m_bars;
    std::string m_refusal;
    std::vector<std::string> m_asked;
};
