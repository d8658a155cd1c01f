#pragma once

#include "chartaxis.h"
#include "chartbars.h"
#include "chartstyle.h"
#include "indicators.h"

#include <QColor>
#include <QPen>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

// What the price plot and the indicator panels draw alike. Values run along a series' bars;
// warm-up bars (negative slots) and undefined values are left out.
namespace chartplot {

// The white plot, its horizontal grid with labels right of it, and the vertical grid of the
// time labels (written under the plot when withTimes).
void background(QPainter &painter, const QRectF &plot, const ValueAxis &values,
                ValueAxis::Labels style, int ticks, const TimeAxis &times,
                const std::vector<TimeLabel> &labels, bool withTimes, const ChartStyle &look);
void frame(QPainter &painter, const QRectF &plot);

void line(QPainter &painter, const TimeAxis &times, const ValueAxis &values,
          const ChartSeries &series, const indicators::Line &line, const QPen &pen);
void dots(QPainter &painter, const TimeAxis &times, const ValueAxis &values,
          const ChartSeries &series, const indicators::Line &line, const QColor &colour);
// Bars from a base value; coloured by their own sign, or by their bar's direction when
// byDirection.
void histogram(QPainter &painter, const TimeAxis &times, const ValueAxis &values,
               const ChartSeries &series, const indicators::Line &line, double base,
               bool byDirection, int alpha = 255);
// A dashed reference level across the plot.
void level(QPainter &painter, const QRectF &plot, const ValueAxis &values, double value);

struct LegendItem
{
    QString text;
    QColor colour;
};
// Writes the items left to right from the top left of area, wrapping into further rows;
// returns the height used.
int legend(QPainter &painter, const QRectF &area, const std::vector<LegendItem> &items);

// Lowest and highest defined value over the shown bars, widened by what is already there.
void extend(double &low, double &high, const ChartSeries &series, const indicators::Line &line);

} // namespace chartplot
