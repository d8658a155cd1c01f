#pragma once

#include "bar.h"

#include <QColor>
#include <QWidget>

#include <functional>
#include <vector>

class QCandlestickSeries;
class QCandlestickSet;
class QChartView;
class QDateTimeAxis;
class QValueAxis;

// Candles of one stock with its volume below them, each on its own time axis.
class CandleChart : public QWidget
{
    Q_OBJECT
public:
    explicit CandleChart(QWidget *parent = nullptr);

    void setBars(const QString &title, const std::vector<Bar> &bars);

private:
    // One chart per view for the window's whole life, refilled on each change: a chart
    // swapped out while the view still paints it leaves the view's scene pointing at freed
    // items.
    struct Pane
    {
        QChartView *view = nullptr;
        QCandlestickSeries *series = nullptr;
        QDateTimeAxis *time = nullptr;
        QValueAxis *value = nullptr;
    };
    using SetOf = std::function<QCandlestickSet *(const Bar &, qreal at)>;

    Pane makePane(QColor up, QColor down, const QString &valueFormat);
    static void fill(const Pane &pane, const QString &title, const std::vector<Bar> &bars,
                     const SetOf &setOf);

    Pane m_price;
    Pane m_volume;
};
