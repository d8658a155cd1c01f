#include "chartplot.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace chartplot {
namespace {
bool shown(const ChartSeries &series, std::size_t k, double value)
{
    return series.barSlots[k] >= 0 && !std::isnan(value);
}
} // namespace

void background(QPainter &painter, const QRectF &plot, const ValueAxis &values,
                ValueAxis::Labels style, int ticks, const TimeAxis &times,
                const std::vector<TimeLabel> &labels, bool withTimes, const ChartStyle &look)
{
    painter.fillRect(plot, ChartStyle::Plot);
    painter.setPen(QPen(ChartStyle::Grid, 1));
    const QFontMetricsF metrics(painter.font());
    const ValueAxis::Ticks t = values.ticks(ticks, style);
    for (const double v : t.values) {
        const double y = std::round(values.y(v)) + 0.5;
        if (y < plot.top() || y > plot.bottom())
            continue;
        painter.setPen(QPen(ChartStyle::Grid, 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(ChartStyle::Text);
        const QRectF box(plot.right() + 4, y - metrics.height() / 2, look.axisWidth - 6,
                         metrics.height());
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromStdString(ValueAxis::label(v, style, t.step)));
    }
    for (const TimeLabel &label : labels) {
        const double x = std::round(times.x(label.slot) - times.slotWidth() / 2) + 0.5;
        painter.setPen(QPen(ChartStyle::Grid, 1));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        if (!withTimes)
            continue;
        painter.setPen(ChartStyle::Text);
        const QString text = QString::fromStdString(label.text);
        const double width = metrics.horizontalAdvance(text);
        const double left = std::clamp(x - width / 2, plot.left(), plot.right() - width);
        painter.drawText(QPointF(left, plot.bottom() + 3 + metrics.ascent()), text);
    }
}

void frame(QPainter &painter, const QRectF &plot)
{
    painter.setPen(QPen(ChartStyle::Frame, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot.adjusted(-0.5, -0.5, 0.5, 0.5));
}

void line(QPainter &painter, const TimeAxis &times, const ValueAxis &values,
          const ChartSeries &series, const indicators::Line &line, const QPen &pen)
{
    painter.setPen(pen);
    QPolygonF points;
    const auto flush = [&] {
        if (points.size() > 1)
            painter.drawPolyline(points);
        points.clear();
    };
    for (std::size_t k = 0; k < series.bars.size() && k < line.size(); ++k) {
        if (shown(series, k, line[k]))
            points << QPointF(times.x(series.barSlots[k]), values.y(line[k]));
        else
            flush();
    }
    flush();
}

void dots(QPainter &painter, const TimeAxis &times, const ValueAxis &values,
          const ChartSeries &series, const indicators::Line &line, const QColor &colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const double radius = std::clamp(times.slotWidth() / 3, 0.8, 2.0);
    for (std::size_t k = 0; k < series.bars.size() && k < line.size(); ++k)
        if (shown(series, k, line[k]))
            painter.drawEllipse(QPointF(times.x(series.barSlots[k]), values.y(line[k])), radius,
                                radius);
    painter.setBrush(Qt::NoBrush);
}

void histogram(QPainter &painter, const TimeAxis &times, const ValueAxis &values,
               const ChartSeries &series, const indicators::Line &line, double base,
               bool byDirection, int alpha)
{
    // Whole pixels and no antialiasing: hundreds of soft-edged bars cost more than the rest
    // of a chart together.
    const int width = std::max(static_cast<int>(times.slotWidth() * 0.7), 1);
    const int zero = static_cast<int>(std::lround(values.y(base)));
    for (std::size_t k = 0; k < series.bars.size() && k < line.size(); ++k) {
        if (!shown(series, k, line[k]))
            continue;
        const bool up = byDirection ? series.bars[k].close >= series.bars[k].open : line[k] >= base;
        QColor colour = up ? ChartStyle::Up : ChartStyle::Down;
        colour.setAlpha(alpha);
        const int x = static_cast<int>(std::lround(times.x(series.barSlots[k]) - width / 2.0));
        const int y = static_cast<int>(std::lround(values.y(line[k])));
        painter.fillRect(QRect(x, std::min(y, zero), width, std::max(std::abs(zero - y), 1)),
                         colour);
    }
}

void level(QPainter &painter, const QRectF &plot, const ValueAxis &values, double value)
{
    const double y = std::round(values.y(value)) + 0.5;
    painter.setPen(QPen(ChartStyle::Faint, 1, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
}

int legend(QPainter &painter, const QRectF &area, const std::vector<LegendItem> &items)
{
    const QFontMetricsF metrics(painter.font());
    const double gap = metrics.horizontalAdvance(QStringLiteral("  "));
    double x = area.left(), y = area.top();
    for (const LegendItem &item : items) {
        const double width = metrics.horizontalAdvance(item.text);
        if (x > area.left() && x + width > area.right()) {
            x = area.left();
            y += metrics.height();
        }
        painter.setPen(item.colour);
        painter.drawText(QPointF(x, y + metrics.ascent()), item.text);
        x += width + gap;
    }
    return items.empty() ? 0 : static_cast<int>(std::ceil(y - area.top() + metrics.height()));
}

void extend(double &low, double &high, const ChartSeries &series, const indicators::Line &line)
{
    for (std::size_t k = 0; k < series.bars.size() && k < line.size(); ++k) {
        if (!shown(series, k, line[k]))
            continue;
        low = std::min(low, line[k]);
        high = std::max(high, line[k]);
    }
}

} // namespace chartplot
