#include "studypanel.h"

#include "chartaxis.h"
#include "chartplot.h"
#include "indicators.h"

#include <QPainter>

#include <cmath>
#include <limits>
#include <optional>

namespace {
struct Study
{
    QString name;
    std::vector<std::pair<indicators::Line, QColor>> lines;
    indicators::Line bars; // a histogram from zero, if any
    bool barsByDirection = false;
    std::vector<double> levels;
    std::optional<std::pair<double, double>> fixed; // a range that does not follow the values
    ValueAxis::Labels labels = ValueAxis::Labels::Plain;
    QString note;
};

QString lastOf(const indicators::Line &line, bool volume = false)
{
    const double v = line.empty() ? std::nan("") : line.back();
    if (std::isnan(v))
        return QStringLiteral("-");
    return QString::fromStdString(
        ValueAxis::label(v, volume ? ValueAxis::Labels::Volume : ValueAxis::Labels::Plain, 0.01));
}

Study oscillator(QString name, indicators::Line line, double lower, double upper, double low,
                 double high)
{
    Study s;
    s.name = name + QLatin1Char(' ') + lastOf(line);
    s.lines.push_back({std::move(line), ChartStyle::Price});
    s.levels = {lower, upper};
    s.fixed = {{low, high}};
    return s;
}

Study studyOf(const ChartItem &item, const ChartSeries &series)
{
    const std::vector<Bar> &bars = series.bars;
    const indicators::Line closes = indicators::closes(bars);
    const auto period = [&](std::size_t k) { return item.periods[k]; };
    switch (item.kind) {
    case ChartItem::Macd: {
        indicators::Macd m = indicators::macd(closes, period(0), period(1), period(2));
        Study s;
        s.name = QStringLiteral("MACD(%1,%2,%3) %4 / %5")
                     .arg(period(0))
                     .arg(period(1))
                     .arg(period(2))
                     .arg(lastOf(m.macd), lastOf(m.signal));
        s.bars = std::move(m.histogram);
        s.lines = {{std::move(m.macd), ChartStyle::Price},
                   {std::move(m.signal), ChartStyle::Second}};
        s.levels = {0};
        return s;
    }
    case ChartItem::Rsi:
        return oscillator(QStringLiteral("RSI(%1)").arg(period(0)),
                          indicators::rsi(closes, period(0)), 30, 70, 0, 100);
    case ChartItem::Mfi: {
        Study s = oscillator(QStringLiteral("MFI(%1)").arg(period(0)),
                             indicators::mfi(bars, period(0)), 20, 80, 0, 100);
        if (!series.hasVolume()) {
            s.note = QStringLiteral("no volume is reported for this symbol");
            s.lines.clear();
            s.levels.clear();
        }
        return s;
    }
    case ChartItem::Roc: {
        indicators::Line line = indicators::roc(closes, period(0));
        Study s;
        s.name = QStringLiteral("ROC(%1) %2").arg(period(0)).arg(lastOf(line));
        s.lines.push_back({std::move(line), ChartStyle::Price});
        s.levels = {0};
        return s;
    }
    case ChartItem::SlowStoch:
    case ChartItem::FastStoch: {
        const bool slow = item.kind == ChartItem::SlowStoch;
        indicators::Stochastic st =
            indicators::stochastic(bars, period(0), slow ? period(1) : 1, period(1));
        Study s = oscillator(QStringLiteral("%1 Stoch(%2,%3) %K")
                                 .arg(slow ? "Slow" : "Fast")
                                 .arg(period(0))
                                 .arg(period(1)),
                             st.k, 20, 80, 0, 100);
        s.name += QStringLiteral(" %D ") + lastOf(st.d);
        s.lines.push_back({std::move(st.d), ChartStyle::Second});
        return s;
    }
    case ChartItem::WilliamsR:
        return oscillator(QStringLiteral("Williams %R(%1)").arg(period(0)),
                          indicators::williamsR(bars, period(0)), -80, -20, -100, 0);
    case ChartItem::Volume:
    case ChartItem::VolumeAverage: {
        Study s;
        s.bars = indicators::volumes(bars);
        s.barsByDirection = true;
        s.labels = ValueAxis::Labels::Volume;
        s.name = QStringLiteral("Volume ") + lastOf(s.bars, true);
        if (item.kind == ChartItem::VolumeAverage) {
            indicators::Line average = indicators::sma(s.bars, period(0));
            s.name += QStringLiteral("  MA(%1) %2").arg(period(0)).arg(lastOf(average, true));
            s.lines.push_back({std::move(average), ChartStyle::Second});
        }
        if (!series.hasVolume()) {
            s.note = QStringLiteral("no volume is reported for this symbol");
            s.bars.clear();
            s.lines.clear();
        }
        return s;
    }
    default:
        return {};
    }
}
} // namespace

void drawStudy(QPainter &painter, const QRect &area, const ChartItem &item,
               const ChartSeries &series, ChartRange range, double plotLeft, double plotRight,
               const ChartStyle &look)
{
    const Study study = studyOf(item, series);
    painter.setFont(look.font);
    const QFontMetricsF metrics(look.font);
    const QRectF plot(plotLeft, area.top() + metrics.height() + 2, plotRight - plotLeft,
                      area.height() - metrics.height() - 6);

    double low = std::numeric_limits<double>::max(), high = std::numeric_limits<double>::lowest();
    if (study.fixed) {
        low = study.fixed->first;
        high = study.fixed->second;
    } else {
        for (const auto &[line, colour] : study.lines)
            chartplot::extend(low, high, series, line);
        chartplot::extend(low, high, series, study.bars);
        if (!study.bars.empty() || !study.levels.empty()) { // bars and levels stand on zero
            low = std::min(low, 0.0);
            high = std::max(high, 0.0);
        }
    }
    const ValueAxis values(low, high, false, plot.top(), plot.bottom(), study.fixed ? 0.04 : 0.08);
    const TimeAxis times(series.slotCount, plot.left(), plot.right());
    const std::vector<TimeLabel> labels =
        timeLabels(series, range, 56 / std::max(times.slotWidth(), 1e-6));
    chartplot::background(painter, plot, values, study.labels, study.note.isEmpty() ? 4 : 0, times,
                          labels, false, look);

    painter.save();
    painter.setClipRect(plot);
    for (const double level : study.levels)
        chartplot::level(painter, plot, values, level);
    if (!study.bars.empty())
        chartplot::histogram(painter, times, values, series, study.bars, 0, study.barsByDirection,
                             study.barsByDirection ? 200 : 150);
    for (const auto &[line, colour] : study.lines)
        chartplot::line(painter, times, values, series, line, QPen(colour, 1));
    painter.restore();
    chartplot::frame(painter, plot);

    painter.setPen(ChartStyle::Text);
    painter.drawText(QPointF(plot.left(), area.top() + metrics.ascent() + 1), study.name);
    if (!study.note.isEmpty()) {
        painter.setPen(ChartStyle::Faint);
        painter.drawText(plot, Qt::AlignCenter, study.note);
    }
}
