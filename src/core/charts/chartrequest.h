#pragma once

#include <string>

// The options of one historical chart and the chart service request they make. Items are
// only ever appended; moving averages and EMAs together stop after five.
class ChartRequest
{
public:
    ChartRequest(std::string symbol, std::string exchange);

    // The symbol as the services know it: ".NS" for NSE, ".BO" for BSE, else unchanged.
    const std::string &requestSymbol() const { return m_requestSymbol; }

    void setRange(std::string r) { m_range = std::move(r); }
    void setType(std::string t) { m_type = std::move(t); }
    void setScale(std::string s) { m_scale = std::move(s); }
    void setSize(std::string s) { m_size = std::move(s); }
    // Returns false (and changes nothing) once five averages have been asked for.
    bool addAverage(const std::string &item);
    void addOverlay(const std::string &item) { m_averages += item; }
    void addIndicator(const std::string &item) { m_indicators += item; }
    void setCompare(bool on) { m_compare = on ? "^BSESN,^NSEI" : ""; }

    const std::string &range() const { return m_range; }
    const std::string &type() const { return m_type; }
    const std::string &scale() const { return m_scale; }
    const std::string &size() const { return m_size; }
    const std::string &averages() const { return m_averages; }
    const std::string &indicators() const { return m_indicators; }

    // Path and query of the chart image, every key present even when empty.
    std::string chartPath() const;
    // The quote service path for the 52-week range line.
    std::string rangePath() const;

    static constexpr int AverageLimit =
        6; // an average is taken while the click count stays below this

private:
    std::string m_requestSymbol;
    std::string m_range = "1d";
    std::string m_type = "l";
    std::string m_scale = "off";
    std::string m_size = "m";
    std::string m_averages;
    std::string m_indicators;
    std::string m_compare;
    int m_averageClicks = 0;
};

// The 52-week range line as the panel shows it: trimmed, every double quote removed.
std::string cleanRangeLine(const std::string &line);
