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
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_price = makePane();
    m_volume = makePane();
    layout->addWidget(m_price.view, 3);
    layout->addWidget(m_volume.view, 1);
    // Volume as bars from zero: candles whose body spans 0 to the volume, in one colour.
    m_volume.series->setIncreasingColor(QColor(90, 110, 160));
    m_volume.series->setDecreasingColor(QColor(90, 110, 160));
    m_price.series->setIncreasingColor(QColor(0, 150, 0));
    m_price.series->setDecreasingColor(QColor(200, 0, 0));
    m_volume.time->setFormat(QStringLiteral("dd MMM hh:mm"));
}

CandleChart::Pane CandleChart::makePane()
{
    Pane pane;
    pane.chart = new QChart;
    pane.chart->legend()->hide();
    pane.chart->setMargins(QMargins(4, 4, 4, 4));
    pane.series = new QCandlestickSeries;
    pane.series->setBodyOutlineVisible(false);
    pane.chart->addSeries(pane.series);
    pane.time = new QDateTimeAxis;
    pane.time->setFormat(QStringLiteral("hh:mm"));
    pane.value = new QValueAxis;
    pane.chart->addAxis(pane.time, Qt::AlignBottom);
    pane.chart->addAxis(pane.value, Qt::AlignLeft);
    pane.series->attachAxis(pane.time);
    pane.series->attachAxis(pane.value);
    pane.view = new QChartView(pane.chart, this);
    pane.view->setRenderHint(QPainter::Antialiasing);
    return pane;
}

void CandleChart::setBars(const QString &title, const std::vector<Bar> &bars)
{
    m_price.chart->setTitle(title);
    m_price.series->clear();
    m_volume.series->clear();
    if (bars.empty())
        return;
    double low = bars.front().low, high = bars.front().high;
    std::int64_t most = 0;
    for (const Bar &bar : bars) {
        const qreal at = static_cast<qreal>(axisTime(bar.time));
        m_price.series->append(new QCandlestickSet(bar.open, bar.high, bar.low, bar.close, at));
        const auto volume = static_cast<qreal>(bar.volume);
        m_volume.series->append(new QCandlestickSet(0, volume, 0, volume, at));
        low = std::min(low, bar.low);
        high = std::max(high, bar.high);
        most = std::max(most, bar.volume);
    }
    // Half a bar of room at each end, so the first and last candles show whole.
    const qint64 first = axisTime(bars.front().time) - 30000;
    const qint64 last = axisTime(bars.back().time) + 90000;
    for (Pane *pane : {&m_price, &m_volume})
        pane->time->setRange(QDateTime::fromMSecsSinceEpoch(first),
                             QDateTime::fromMSecsSinceEpoch(last));
    const double margin = std::max((high - low) * 0.05, 0.01);
    m_price.value->setRange(low - margin, high + margin);
    m_volume.value->setRange(0, std::max<double>(static_cast<double>(most), 1) * 1.05);
}
