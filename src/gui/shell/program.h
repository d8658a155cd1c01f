#pragma once

#include <QPointer>

#include <memory>

class AppContext;
class ChartFeed;
class ChartLinkDialog;
class MainBar;
class PanelHost;
class TickerBar;
class WatchListPanel;

// The windows of one run and how they are wired: the main bar, its panel host and what each
// button makes. Tests build the same program the user gets.
class Program
{
public:
    explicit Program(AppContext &context);
    ~Program();

    MainBar &bar() { return *m_bar; }
    PanelHost &panels() { return *m_panels; }
    // Made by start(); it lives as long as the bar.
    WatchListPanel *watchList() const { return m_watchList; }
    // The chart link's dialog and live feed, made by start() and owned by the bar.
    ChartLinkDialog *chartLink() const { return m_chartLink; }
    ChartFeed *chartFeed() const { return m_chartFeed; }

    void start();

    // Another start asked for this run: the bar (or the ticker standing in) comes to the front.
    void bringForward();
    // A notification was clicked: the bar and its watch list come forward.
    void showWatchList();

    // "Ticker Bar": the bar and its panels go, the ticker stands in (one at a time).
    void openTicker();
    TickerBar *ticker() const;

private:
    std::unique_ptr<MainBar> m_bar;
    PanelHost *m_panels;                   // owned by the bar
    WatchListPanel *m_watchList = nullptr; // owned by the bar
    ChartLinkDialog *m_chartLink = nullptr;
    ChartFeed *m_chartFeed = nullptr;
    QPointer<TickerBar> m_ticker; // owned by the bar

    void startChartLink();
};
