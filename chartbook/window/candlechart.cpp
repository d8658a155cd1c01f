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

CandleChart::CandleChart(QWidget *parent) : QWidget(parent)
{
    m_price = makePane(QColor(0, 150, 0), QColor(200, 0, 0), QStringLiteral("%.2f"));
    // Volume as bars from zero: candles whose body spans 0 to the volume, in one colour.
    const QColor volume(90, 110, 160);
    m_volume = makePane(volume, volume, QStringLiteral("%.0f"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_price.view, 3);
    layout->addWidget(m_volume.view, 1);
    setBars({}, {});
}

CandleChart::Pane CandleChart::makePane(QColor up, QColor down, const QString &valueFormat)
{
    Pane pane;
    auto *chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    pane.view = new QChartView(chart, this);
    pane.view->setRenderHint(QPainter::Antialiasing);
    pane.series = new QCandlestickSeries;
    pane.series->setBodyOutlineVisible(false);
    pane.series->setIncreasingColor(up);
    pane.series->setDecreasingColor(down);
    chart->addSeries(pane.series);
    pane.time = new QDateTimeAxis;
    pane.time->setFormat(QStringLiteral("hh:mm"));
    pane.value = new QValueAxis;
    pane.value->setLabelFormat(valueFormat);
    chart->addAxis(pane.time, Qt::AlignBottom);
    chart->addAxis(pane.value, Qt::AlignLeft);
    pane.series->attachAxis(pane.time);
    pane.series->attachAxis(pane.value);
    return pane;
}

void CandleChart::setBars(const QString &title, const std::vector<Bar> &bars)
{
    // The day of the last bar beside the name: the axes show only the time of day.
    const QString day = bars.empty() ? QString()
                                     : QDateTime::fromSecsSinceEpoch(bars.back().time, Qt::UTC)
                                           .toString(QStringLiteral("  (d MMM yyyy)"));
    fill(m_price, title + day, bars, [](const Bar &b, qreal at) {
        return new QCandlestickSet(b.open, b.high, b.low, b.close, at);
    });
    fill(m_volume, QString(), bars, [](const Bar &b, qreal at) {
        const auto v = static_cast<qreal>(b.volume);
        return new QCandlestickSet(0, v, 0, v, at);
    });
}

void CandleChart::fill(const Pane &pane, const QString &title, const std::vector<Bar> &bars,
                       const SetOf &setOf)
{
    pane.view->chart()->setTitle(title);
    pane.series->clear();
    // Axes without candles would show a meaningless range; they come back with the bars.
    pane.time->setVisible(!bars.empty());
    pane.value->setVisible(!bars.empty());
    if (bars.empty())
        return;

    QList<QCandlestickSet *> sets;
    sets.reserve(static_cast<qsizetype>(bars.size()));
    double low = 0, high = 0;
    for (const Bar &bar : bars) {
        QCandlestickSet *set = setOf(bar, static_cast<qreal>(axisTime(bar.time)));
        low = sets.empty() ? set->low() : std::min(low, set->low());
        high = sets.empty() ? set->high() : std::max(high, set->high());
        sets.append(set);
    }
    pane.series->append(sets);
    // Half a bar of room at each end, so the first and last candles show whole.
    pane.time->setRange(QDateTime::fromMSecsSinceEpoch(axisTime(bars.front().time) - 30000),
                        QDateTime::fromMSecsSinceEpoch(axisTime(bars.back().time) + 90000));
    const double margin = std::max((high - low) * 0.05, 0.01);
    pane.value->setRange(std::max(0.0, low - margin), high + margin);
}
