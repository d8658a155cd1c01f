#pragma once

#include "chartaxis.h"
#include "chartbars.h"
#include "chartoptions.h"
#include "chartplot.h"
#include "chartstyle.h"

#include <string>
#include <vector>

class QPainter;
class QRect;

// The price plot of a chart: its bars as a line, OHLC bars or candles, the averages, bands
// and stops over them, volume under them and the compared symbols. When comparing, every
// series is drawn as its ratio to where the range started, on a percent axis.
class PricePanel
{
public:
    struct Compared
    {
        std::string name;
        ChartSeries series;
    };

    PricePanel(const ChartOptions &options, std::string symbol, ChartSeries series,
               std::vector<Compared> compared);

    // Legend at the top of area, then the plot between plotLeft and plotRight, then the
    // date labels.
    void draw(QPainter &painter, const QRect &area, double plotLeft, double plotRight,
              const ChartStyle &look) const;

private:
    struct Overlay
    {
        indicators::Line line;
        QPen pen;
        bool dotted = false;
    };
    void buildOverlays();
    std::vector<chartplot::LegendItem> legendItems() const;
    void drawPrices(QPainter &painter, const TimeAxis &times, const ValueAxis &values) const;
    void drawVolume(QPainter &painter, const QRectF &plot, const TimeAxis &times) const;

    const ChartOptions &m_options;
    std::string m_symbol;
    ChartSeries m_series;
    std::vector<Compared> m_compared;
    std::vector<indicators::Line> m_comparedLines;
    std::vector<Overlay> m_overlays;
    std::vector<chartplot::LegendItem> m_overlayLegend;
    indicators::Line m_upperBand, m_lowerBand;
    double m_last = 0, m_change = 0; // the last price and its change over the range, percent
};

// Where a series' range starts: the close before its first shown bar, so that a day's
// change is the quote service's change.
double rangeBase(const ChartSeries &series);
