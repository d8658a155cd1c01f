#include "qtchartcontrol.h"

#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {
// Times of day on one fixed date, in local time as the axis shows them.
qreal msOf(qreal seconds)
{
    static const qint64 base = QDateTime(QDate(2000, 1, 3), QTime(0, 0)).toMSecsSinceEpoch();
    return qreal(base) + seconds * 1000;
}
} // namespace

QtChartControl::QtChartControl(Kind kind, QWidget *parent) : QChartView(parent), m_kind(kind)
{
    auto *chart = new QChart;
    chart->setMargins(QMargins(2, 2, 2, 2));
    // Flat white: the theme's gradient is filled again over the plot at every tick.
    chart->setBackgroundBrush(Qt::white);
    chart->legend()->setVisible(kind == Kind::Lines);
    chart->legend()->setAlignment(Qt::AlignTop);
    m_time = new QDateTimeAxis;
    m_time->setFormat(QStringLiteral("hh:mm"));
    m_time->setTickCount(6);
    chart->addAxis(m_time, Qt::AlignBottom);
    const QColor colours[] = {kind == Kind::Lines ? QColor(0, 160, 0) : QColor(0, 0, 200),
                              QColor(220, 0, 0)};
    const int columns = kind == Kind::Lines ? 2 : 1;
    for (int i = 0; i < columns; ++i) {
        // The bar chart's series holds no points: it carries the axes and the colour, and
        // drawForeground paints the bars.
        auto *series = new QLineSeries;
        QPen pen(colours[i]);
        pen.setWidth(1);
        pen.setCapStyle(Qt::FlatCap);
        series->setPen(pen);
        chart->addSeries(series);
        m_scales[i] = new QValueAxis;
        m_scales[i]->setLabelFormat(QLatin1String(kind == Kind::Lines ? "%.2f" : "%.0f"));
        m_scales[i]->setLabelsColor(colours[i]);
        chart->addAxis(m_scales[i], i == 0 ? Qt::AlignLeft : Qt::AlignRight);
        series->attachAxis(m_time);
        series->attachAxis(m_scales[i]);
        m_series[i] = series;
    }
    setChart(chart);
    setRenderHint(QPainter::Antialiasing, false);
}

void QtChartControl::setColumnLabel(int column, const QString &label)
{
    m_series[column - 1]->setName(label);
}

void QtChartControl::setValueScale(int axis, double lower, double upper, int divisions)
{
    // A scale of no height would hide the line; it gets a little room round its value.
    if (!(upper > lower)) {
        lower -= 1;
        upper += 1;
    }
    QValueAxis *scale = m_scales[axis - 1];
    if (scale->min() == lower && scale->max() == upper && scale->tickCount() == divisions + 1)
        return;
    scale->setRange(lower, upper);
    scale->setTickCount(divisions + 1);
    if (m_kind == Kind::Bars)
        viewport()->update(); // the bars stand on the new scale
}

QList<QPointF> QtChartControl::shown(const QList<QPointF> &points) const
{
    QList<QPointF> out;
    out.reserve(points.size());
    for (const QPointF &p : points)
        out << QPointF(msOf(p.x()), p.y());
    return out;
}

void QtChartControl::setColumn(int column, const QList<QPointF> &points)
{
    if (column == 1 && !points.isEmpty()) {
        m_first = points.front().x();
        m_last = points.back().x();
        fitTimeAxis();
    }
    if (m_kind == Kind::Bars) {
        m_bars = shown(points);
        viewport()->update();
        return;
    }
    m_series[column - 1]->replace(shown(points));
}

void QtChartControl::appendToColumn(int column, const QList<QPointF> &points)
{
    if (points.isEmpty())
        return;
    if (column == 1) {
        if (pointCount(1) == 0)
            m_first = points.front().x();
        m_last = points.back().x();
        fitTimeAxis();
    }
    if (m_kind == Kind::Bars) {
        m_bars << shown(points);
        viewport()->update();
        return;
    }
    m_series[column - 1]->append(shown(points));
}

void QtChartControl::drawForeground(QPainter *painter, const QRectF &rect)
{
    QChartView::drawForeground(painter, rect);
    if (m_kind != Kind::Bars || m_bars.isEmpty())
        return;
    // Upright bars two pixels wide from the time axis, inside the plot area.
    const QRectF plot = chart()->mapRectToScene(chart()->plotArea());
    painter->save();
    painter->setClipRect(plot);
    const QColor colour = columnColour(1);
    for (const QPointF &bar : m_bars) {
        const QPointF top = chart()->mapToScene(chart()->mapToPosition(bar, m_series[0]));
        const QPointF base =
            chart()->mapToScene(chart()->mapToPosition(QPointF(bar.x(), 0), m_series[0]));
        painter->fillRect(QRectF(top.x() - 1, top.y(), 2, base.y() - top.y()), colour);
    }
    painter->restore();
}

int QtChartControl::pointCount(int column) const
{
    return m_kind == Kind::Bars ? int(m_bars.size()) : int(m_series[column - 1]->count());
}

QColor QtChartControl::columnColour(int column) const
{
    return m_series[column - 1]->pen().color();
}

void QtChartControl::fitTimeAxis()
{
    // Whole five minutes round the points, with room for the first and the last: the axis
    // stays as it is for most ticks, and its labels with it.
    constexpr qreal Step = 300;
    const qreal from = std::floor((m_first - 60) / Step) * Step;
    const qreal to = std::ceil((std::max(m_last, m_first) + 60) / Step) * Step;
    if (from == m_from && to == m_to)
        return;
    m_from = from;
    m_to = to;
    m_time->setRange(QDateTime::fromMSecsSinceEpoch(qint64(msOf(from))),
                     QDateTime::fromMSecsSinceEpoch(qint64(msOf(to))));
    if (m_kind == Kind::Bars)
        viewport()->update();
}

extern "C" Q_DECL_EXPORT ChartBackend *vantrelMakeChartBackend(ChartBackend::Kind kind,
                                                               QWidget *parent)
{
    return new QtChartControl(kind, parent);
}
