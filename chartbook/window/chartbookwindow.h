#pragma once

#include <QMainWindow>

class BarStore;
class CandleChart;
class BridgeService;
class QListWidget;

// The stock list and the chart of the selected stock, following every change the bridge makes.
class ChartBookWindow : public QMainWindow
{
    Q_OBJECT
public:
    ChartBookWindow(BarStore &store, BridgeService &bridge, const QString &serviceName,
                    QWidget *parent = nullptr);

    // Enough for a day of one-minute bars.
    static constexpr int BarsShown = 400;

private:
    void reloadStocks();
    void redrawChart();

    BarStore &m_store;
    QListWidget *m_stocks;
    CandleChart *m_chart;
};
