#pragma once

#include "core/bar.h"

#include <QWidget>

#include <vector>

class QChart;
class QChartView;
class QDateTimeAxis;
class QValueAxis;
class QCandlestickSeries;

// Candles of one stock with its volume below them, on one time axis each.
class CandleChart : public QWidget
{
    Q_OBJECT
public:
    explicit CandleChart(QWidget *parent = nullptr);

    void setBars(const QString &title, const std::vector<Bar> &bars);

private:
    struct Pane
    {
        QChart *chart = nullptr;
        QChartView *view = nullptr;
        QCandlestickSeries *series = nullptr;
        QDateTimeAxis *time = nullptr;
        QValueAxis *value = nullptr;
    };
    Pane makePane();

    Pane m_price;
    Pane m_volume;
};
