#include "candlechart.h"

#include <QCandlestickSeries>
#include <QCandlestickSet>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {
// Bar times count local seconds; the axis wants the instant they name on this machine.
qint64 axisTime(std::int64_t time)
{
    const QDateTime local = QDateTime::fromSecsSinceEpoch(time, Qt::UTC);
    return QDateTime(local.date(), local.time()).toMSecsSinceEpoch();
}
} // namespace

CandleChart::CandleChart(QWidget *parent)
    : QWidget(parent), m_price(new QChartView(this)), m_volume(new QChartView(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_price, 3);
    layout->addWidget(m_volume, 1);
    setBars({}, {});
}

void CandleChart::setBars(const QString &title, const std::vector<Bar> &bars)
{
    // The day of the last bar beside the name: the axes show only the time of day.
    const QString day = bars.empty() ? QString()
                                     : QDateTime::fromSecsSinceEpoch(bars.back().time, Qt::UTC)
                                           .toString(QStringLiteral("  (d MMM yyyy)"));
    draw(
        m_price, title + day, bars,
        [](const Bar &b, qreal at) {
            return new QCandlestickSet(b.open, b.high, b.low, b.close, at);
        },
        QColor(0, 150, 0), QColor(200, 0, 0), QStringLiteral("hh:mm"), QStringLiteral("%.2f"));
    // Volume as bars from zero: candles whose body spans 0 to the volume, in one colour.
    const QColor volume(90, 110, 160);
    draw(
        m_volume, QString(), bars,
        [](const Bar &b, qreal at) {
            const auto v = static_cast<qreal>(b.volume);
            return new QCandlestickSet(0, v, 0, v, at);
        },
        volume, volume, QStringLiteral("hh:mm"), QStringLiteral("%.0f"));
}

void CandleChart::draw(QChartView *view, const QString &title, const std::vector<Bar> &bars,
                       const SetOf &setOf, QColor up, QColor down, const QString &timeFormat,
                       const QString &valueFormat)
{
    auto *chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setTitle(title);
    QChart *old = view->chart();
    view->setChart(chart);
    view->setRenderHint(QPainter::Antialiasing);
    delete old;
    if (bars.empty())
        return;

    auto *series = new QCandlestickSeries;
    series->setBodyOutlineVisible(false);
    series->setIncreasingColor(up);
    series->setDecreasingColor(down);
    double low = 0, high = 0;
    for (const Bar &bar : bars) {
        QCandlestickSet *set = setOf(bar, static_cast<qreal>(axisTime(bar.time)));
        low = series->count() == 0 ? set->low() : std::min(low, set->low());
        high = series->count() == 0 ? set->high() : std::max(high, set->high());
        series->append(set);
    }
    chart->addSeries(series);
    auto *time = new QDateTimeAxis;
    time->setFormat(timeFormat);
    // Half a bar of room at each end, so the first and last candles show whole.
    time->setRange(QDateTime::fromMSecsSinceEpoch(axisTime(bars.front().time) - 30000),
                   QDateTime::fromMSecsSinceEpoch(axisTime(bars.back().time) + 90000));
    auto *value = new QValueAxis;
    value->setLabelFormat(valueFormat);
    const double margin = std::max((high - low) * 0.05, 0.01);
    value->setRange(std::max(0.0, low - margin), high + margin);
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(value, Qt::AlignLeft);
    series->attachAxis(time);
    series->attachAxis(value);
}
