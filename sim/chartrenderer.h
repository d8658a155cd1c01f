#pragma once

#include "chartoptions.h"
#include "marketmodel.h"

#include <QImage>

#include <cstdint>
#include <string>

// Draws the chart images of the chart service from the market model, so a chart shows the
// very prices the quote service gives. Safe on any thread (QImage and QPainter only), once a
// QGuiApplication exists: text needs its fonts.
class ChartRenderer
{
public:
    explicit ChartRenderer(const MarketModel &model) : m_model(model) {}

    // False without a QGuiApplication; then nothing can be drawn.
    static bool available();

    // The chart as of a simulated time; for a symbol the market does not know, a picture
    // of the chart's size saying there is no data for it.
    QImage image(const ChartOptions &options, std::int64_t time) const;
    std::string png(const ChartOptions &options, std::int64_t time) const;

private:
    QImage noData(const ChartOptions &options) const;

    const MarketModel &m_model;
};
