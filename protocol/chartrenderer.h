#pragma once

#include "chartoptions.h"
#include "market.h"

#include <QImage>

#include <cstdint>
#include <string>

// Draws the chart images of the chart service from the market, so a chart shows the very
// prices the quote service gives, marked with where they come from. Safe on any thread (QImage
// and QPainter only), once a QGuiApplication exists: text needs its fonts.
class ChartRenderer
{
public:
    explicit ChartRenderer(Market &market) : m_market(market) {}

    // False without a QGuiApplication; then nothing can be drawn.
    static bool available();

    // The chart as of now; for a symbol the market does not know, a picture of the chart's
    // size saying there is no data for it.
    QImage image(const ChartOptions &options) const;
    std::string png(const ChartOptions &options) const;

private:
    QImage noData(const ChartOptions &options) const;

    Market &m_market;
};
