#pragma once

#include "chartbars.h"
#include "chartoptions.h"

#include <string>
#include <vector>

// Maps values to rows of a plot, linearly or logarithmically, with a little room above and
// below so that no line runs along the frame.
class ValueAxis
{
public:
    enum class Labels { Price, Percent, Plain, Volume };

    ValueAxis(double low, double high, bool log, double top, double bottom, double margin = 0.05);

    double y(double value) const;
    // Round values inside the range, about count of them (none for 0), and their step.
    struct Ticks
    {
        std::vector<double> values;
        double step = 1;
    };
    Ticks ticks(int count, Labels style) const;
    // How a tick is written; Percent shows a ratio to 1 as a signed percent change.
    static std::string label(double value, Labels style, double step);

private:
    double transformed(double value) const;

    bool m_log;
    double m_low, m_high; // in the transformed space
    double m_top, m_bottom;
};

// Places bar slots along a plot's width.
class TimeAxis
{
public:
    TimeAxis(int slotCount, double left, double right)
        : m_slots(slotCount), m_left(left), m_right(right)
    {
    }

    double x(int slot) const { return m_left + (slot + 0.5) * slotWidth(); }
    double slotWidth() const { return (m_right - m_left) / (m_slots > 0 ? m_slots : 1); }

private:
    int m_slots;
    double m_left, m_right;
};

struct TimeLabel
{
    int slot;
    std::string text;
};

// Hours across a day, days across five, weeks across a month, months across longer ranges;
// thinned so that labels stay at least minSpacing slots apart.
std::vector<TimeLabel> timeLabels(const ChartSeries &series, ChartRange range, double minSpacing);
