#pragma once

#include "core/bar.h"

#include <QColor>
#include <QWidget>

#include <functional>
#include <vector>

class QCandlestickSet;
class QChartView;

// Candles of one stock with its volume below them, each on its own time axis.
class CandleChart : public QWidget
{
    Q_OBJECT
public:
    explicit CandleChart(QWidget *parent = nullptr);

    void setBars(const QString &title, const std::vector<Bar> &bars);

private:
    using SetOf = std::function<QCandlestickSet *(const Bar &, qreal at)>;
    // A new chart each time: the chart's time axis stops drawing once it has been shown
    // without candles, so no chart is ever refilled.
    void draw(QChartView *view, const QString &title, const std::vector<Bar> &bars,
              const SetOf &setOf, QColor up, QColor down, const QString &timeFormat,
              const QString &valueFormat);

    QChartView *m_price;
    QChartView *m_volume;
};
