#include "pricepanel.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {
void divide(ChartSeries &series, double by)
{
    for (Bar &b : series.bars) {
        b.open /= by;
        b.high /= by;
        b.low /= by;
        b.close /= by;
    }
}

QString number(const char *format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return QString::fromLatin1(text);
}
} // namespace

double rangeBase(const ChartSeries &series)
{
    if (series.firstShown > 0)
        return series.bars[series.firstShown - 1].close;
    return series.bars.empty() ? 1 : series.bars.front().open;
}

PricePanel::PricePanel(const ChartOptions &options, std::string symbol, ChartSeries series,
                       std::vector<Compared> compared)
    : m_options(options), m_symbol(std::move(symbol)), m_series(std::move(series)),
      m_compared(std::move(compared))
{
    const double base = rangeBase(m_series);
    m_last = m_series.bars.empty() ? 0 : m_series.bars.back().close;
    m_change = base > 0 ? (m_last / base - 1) * 100 : 0;
    if (!m_compared.empty()) {
        divide(m_series, base > 0 ? base : 1);
        for (Compared &c : m_compared) {
            const double b = rangeBase(c.series);
            divide(c.series, b > 0 ? b : 1);
            m_comparedLines.push_back(indicators::closes(c.series.bars));
        }
    }
    buildOverlays();
}

void PricePanel::buildOverlays()
{
    const indicators::Line closes = indicators::closes(m_series.bars);
    std::size_t averages = 0;
    for (const ChartItem &item : m_options.overlays) {
        switch (item.kind) {
        case ChartItem::MovingAverage:
        case ChartItem::Ema: {
            const bool ema = item.kind == ChartItem::Ema;
            const int n = item.periods.front();
            QPen pen(ChartStyle::average(averages++), 1, ema ? Qt::DashLine : Qt::SolidLine);
            m_overlays.push_back(
                {ema ? indicators::ema(closes, n) : indicators::sma(closes, n), pen});
            m_overlayLegend.push_back(
                {QStringLiteral("%1(%2)").arg(ema ? "EMA" : "MA").arg(n), pen.color()});
            break;
        }
        case ChartItem::Bollinger: {
            indicators::Bands bands =
                indicators::bollinger(closes, item.periods[0], item.periods[1]);
            const QPen pen(ChartStyle::Band, 1);
            m_overlays.push_back({std::move(bands.middle), QPen(ChartStyle::Band, 1, Qt::DotLine)});
            m_overlays.push_back({bands.upper, pen});
            m_overlays.push_back({bands.lower, pen});
            m_upperBand = std::move(bands.upper);
            m_lowerBand = std::move(bands.lower);
            m_overlayLegend.push_back(
                {QStringLiteral("BB(%1,%2)").arg(item.periods[0]).arg(item.periods[1]),
                 ChartStyle::Band});
            break;
        }
        case ChartItem::Sar:
            m_overlays.push_back(
                {indicators::parabolicSar(m_series.bars), QPen(ChartStyle::Sar), true});
            m_overlayLegend.push_back({QStringLiteral("SAR(0.02,0.2)"), ChartStyle::Sar});
            break;
        case ChartItem::Splits:
            // The simulated market never splits a share; saying so beats drawing nothing.
            m_overlayLegend.push_back({QStringLiteral("Splits: none"), ChartStyle::Faint});
            break;
        case ChartItem::VolumeOverlay:
            m_overlayLegend.push_back(
                {m_series.hasVolume() ? QStringLiteral("Volume") : QStringLiteral("Volume: none"),
                 ChartStyle::Faint});
            break;
        default:
            break;
        }
    }
}

std::vector<chartplot::LegendItem> PricePanel::legendItems() const
{
    const QString last = number("%.2f", m_last);
    std::vector<chartplot::LegendItem> items{
        {QStringLiteral("%1 %2 (%3)")
             .arg(QString::fromStdString(m_symbol), last, number("%+.2f%%", m_change)),
         ChartStyle::Price}};
    for (std::size_t k = 0; k < m_compared.size(); ++k) {
        const indicators::Line &line = m_comparedLines[k];
        const double change = line.empty() ? 0 : (line.back() - 1) * 100;
        items.push_back({QStringLiteral("%1 (%2)").arg(QString::fromStdString(m_compared[k].name),
                                                       number("%+.2f%%", change)),
                         ChartStyle::compared(k)});
    }
    items.insert(items.end(), m_overlayLegend.begin(), m_overlayLegend.end());
    if (m_options.logScale)
        items.push_back({QStringLiteral("log scale"), ChartStyle::Faint});
    return items;
}

void PricePanel::draw(QPainter &painter, const QRect &area, double plotLeft, double plotRight,
                      const ChartStyle &look) const
{
    painter.setFont(look.font);
    const QFontMetricsF metrics(look.font);
    const int legendHeight = chartplot::legend(
        painter, QRectF(plotLeft, area.top() + 1, plotRight - plotLeft, area.height()),
        legendItems());
    const QRectF plot(plotLeft, area.top() + legendHeight + 3, plotRight - plotLeft,
                      area.bottom() - metrics.height() - 4 - (area.top() + legendHeight + 3));

    double low = std::numeric_limits<double>::max(), high = std::numeric_limits<double>::lowest();
    const bool line = m_options.type == ChartType::Line;
    for (std::size_t k = m_series.firstShown; k < m_series.bars.size(); ++k) {
        const Bar &b = m_series.bars[k];
        low = std::min(low, line ? b.close : b.low);
        high = std::max(high, line ? b.close : b.high);
    }
    for (const Overlay &o : m_overlays)
        chartplot::extend(low, high, m_series, o.line);
    for (std::size_t k = 0; k < m_compared.size(); ++k)
        chartplot::extend(low, high, m_compared[k].series, m_comparedLines[k]);

    // A day's chart marks where the day started: the previous close, or 0% when comparing.
    const bool day = m_options.range == ChartRange::Day;
    const double dayBase = rangeBase(m_series);
    if (day) {
        low = std::min(low, dayBase);
        high = std::max(high, dayBase);
    }
    const ValueAxis values(low, high, m_options.logScale, plot.top(), plot.bottom());
    const TimeAxis times(m_series.slotCount, plot.left(), plot.right());
    const std::vector<TimeLabel> labels =
        timeLabels(m_series, m_options.range, 56 / std::max(times.slotWidth(), 1e-6));
    chartplot::background(painter, plot, values,
                          m_compared.empty() ? ValueAxis::Labels::Price
                                             : ValueAxis::Labels::Percent,
                          m_options.large ? 8 : 6, times, labels, true, look);
    painter.save();
    painter.setClipRect(plot);
    drawVolume(painter, plot, times);
    if (day)
        chartplot::level(painter, plot, values, dayBase);
    drawPrices(painter, times, values);
    painter.restore();
    chartplot::frame(painter, plot);
}

void PricePanel::drawVolume(QPainter &painter, const QRectF &plot, const TimeAxis &times) const
{
    const bool wanted =
        std::any_of(m_options.overlays.begin(), m_options.overlays.end(),
                    [](const ChartItem &i) { return i.kind == ChartItem::VolumeOverlay; });
    if (!wanted || !m_series.hasVolume())
        return;
    const indicators::Line volumes = indicators::volumes(m_series.bars);
    double low = 0, high = 0;
    chartplot::extend(low, high, m_series, volumes);
    // The lowest fifth of the plot, behind the prices.
    const ValueAxis axis(0, high, false, plot.bottom() - plot.height() * 0.2, plot.bottom(), 0);
    chartplot::histogram(painter, times, axis, m_series, volumes, 0, true, 90);
}

void PricePanel::drawPrices(QPainter &painter, const TimeAxis &times, const ValueAxis &values) const
{
    if (!m_upperBand.empty()) {
        QPolygonF band;
        for (std::size_t k = 0; k < m_series.bars.size(); ++k)
            if (m_series.barSlots[k] >= 0 && !std::isnan(m_upperBand[k]))
                band << QPointF(times.x(m_series.barSlots[k]), values.y(m_upperBand[k]));
        for (std::size_t k = m_series.bars.size(); k-- > 0;)
            if (m_series.barSlots[k] >= 0 && !std::isnan(m_lowerBand[k]))
                band << QPointF(times.x(m_series.barSlots[k]), values.y(m_lowerBand[k]));
        painter.setPen(Qt::NoPen);
        painter.setBrush(ChartStyle::BandFill);
        painter.drawPolygon(band);
        painter.setBrush(Qt::NoBrush);
    }
    const double width = times.slotWidth();
    const double body = std::max(width * 0.6, 1.0);
    for (std::size_t k = m_series.firstShown;
         m_options.type != ChartType::Line && k < m_series.bars.size(); ++k) {
        const Bar &b = m_series.bars[k];
        const double x = times.x(m_series.barSlots[k]);
        const QColor colour = b.close >= b.open ? ChartStyle::Up : ChartStyle::Down;
        const double open = values.y(b.open), close = values.y(b.close);
        if (m_options.type == ChartType::Bars) {
            painter.setPen(QPen(colour, 1));
            painter.drawLine(QPointF(x, values.y(b.high)), QPointF(x, values.y(b.low)));
            painter.drawLine(QPointF(x - body / 2, open), QPointF(x, open));
            painter.drawLine(QPointF(x, close), QPointF(x + body / 2, close));
            continue;
        }
        painter.setPen(QPen(ChartStyle::Wick, 1));
        painter.drawLine(QPointF(x, values.y(b.high)), QPointF(x, values.y(b.low)));
        painter.fillRect(QRectF(x - body / 2, std::min(open, close), body,
                                std::max(std::abs(open - close), 1.0)),
                         colour);
    }
    if (m_options.type == ChartType::Line)
        chartplot::line(painter, times, values, m_series, indicators::closes(m_series.bars),
                        QPen(ChartStyle::Price, 1.5));
    for (std::size_t k = 0; k < m_compared.size(); ++k)
        chartplot::line(painter, times, values, m_compared[k].series, m_comparedLines[k],
                        QPen(ChartStyle::compared(k), 1));
    for (const Overlay &o : m_overlays) {
        if (o.dotted)
            chartplot::dots(painter, times, values, m_series, o.line, o.pen.color());
        else
            chartplot::line(painter, times, values, m_series, o.line, o.pen);
    }
}
