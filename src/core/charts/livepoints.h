#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

// One data line of an intraday or live file as the live chart keeps it: the texts as they
// were read, and the numbers the charts need.
struct LivePoint
{
    std::string time;  // HH:MM:SS
    std::string price; // as written, "%.2f"
    std::string volume;
    int seconds = 0; // the time of day
    double value = 0;
    double volumeValue = 0;
};

// "NAME,date,time,previous,high,low,current,volume": nothing when a field is missing, the time
// is not HH:MM:SS, or the current price or the volume is not a number.
std::optional<LivePoint> parseDataLine(std::string_view line);

// The points of one series, in reading order, with the largest and smallest price seen since
// the last reset. A day holds a few thousand points at most; beyond that the oldest go.
class LiveSeries
{
public:
    static constexpr std::size_t MaxPoints = 2500;

    void reset();
    // False when the line is skipped: malformed, or earlier than the last point.
    bool add(std::string_view line);
    bool add(const LivePoint &point);

    const std::deque<LivePoint> &points() const { return m_points; }
    double maximum() const { return m_maximum; }
    double minimum() const { return m_minimum; }
    const std::string &latestPrice() const { return m_latest; }

private:
    std::deque<LivePoint> m_points;
    double m_maximum = 0;
    double m_minimum = 0;
    std::string m_latest;
};
