#pragma once

#include "core/charts/livechart.h"
#include "core/common/saidonce.h"

#include <QDialog>
#include <QTimer>

class AppContext;
class ChartControl;
class ColorButton;
class ColourLabel;
class QComboBox;
class QLabel;

// "Live Charting": one NSE stock of the watch list against NIFTY through the day, from the
// data files the watch list writes, redrawn at every tick of the chosen rate. Every press of
// "Live Chart" makes another, each with its own stock and timer.
class LiveChartWindow : public QDialog
{
    Q_OBJECT
public:
    LiveChartWindow(AppContext &context, QWidget *owner);

    const LiveChart &chart() const { return m_chart; }
    bool running() const { return m_timer.isActive(); }
    int periodMs() const { return m_timer.interval(); }
    // What the window lacks now, as it says under the charts; empty when it lacks nothing.
    QString problem() const;

    // One tick of the timer: the snapshot, then the charts.
    void tick();

signals:
    void redrawn();

private:
    void buildControls();
    void fillStocks();
    bool loadHistory();
    void redraw();
    void tell(const std::string &which, const std::string &problem);
    void setRunning(bool on);
    LiveChart::Rate rate() const;

    AppContext &m_context;
    LiveChart m_chart;
    LiveRowsFeed m_rowsFeed;
    double m_mostVolume = 0;
    SaidOnce m_said;
    QTimer m_timer;
    bool m_loaded = false;
    QComboBox *m_stocks = nullptr;
    QComboBox *m_rates = nullptr;
    ColorButton *m_start = nullptr;
    ColorButton *m_stop = nullptr;
    ColourLabel *m_niftyPrice = nullptr;
    ColourLabel *m_stockPrice = nullptr;
    QLabel *m_status = nullptr;
    ChartControl *m_priceChart = nullptr;
    ChartControl *m_volumeChart = nullptr;
};
