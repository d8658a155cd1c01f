#pragma once

#include "core/watch/watchrow.h"

#include <QDialog>

#include <functional>
#include <vector>

class AppContext;
class BackfillRunner;
class ChartBridge;
class ChartFeed;
class ColorButton;
class MainBar;
class QLabel;
class QProgressBar;

// "Configure AmiBroker Link": synchronising and emptying the charting program's stock list,
// starting and stopping the live feed, backfill and the instance killer. It lives as long as
// the main bar, so a stopped backfill can be resumed at a later opening.
class ChartLinkDialog : public QDialog
{
    Q_OBJECT
public:
    using StockSource = std::function<std::vector<WatchedStock>()>;

    static constexpr const char *NoBridge =
        "SORRY !!! Problem with COM DLL!!!\nThis feature is not available without proper "
        "installation of this Dll";
    static constexpr const char *NotRunning =
        "SORRY !!! Either AmiBroker is not RUNNING or Problem with COM DLL!!!\nAmiBroker "
        "related functionality will not be available.";
    static constexpr const char *DeleteQuestion =
        "Are you sure that you want to DELETE ALL current configured Stocks in AmiBroker's "
        "Symbol ?\nOnce you deleted the stocks, all current Intraday/EOD data of those stocks "
        "will be lost.";
    static constexpr const char *SyncInProgress = "Wait Sync. is in Progress";
    static constexpr const char *DeleteFailed = "Error occured in deleting the Stocks of AmiBroker";

    // The feed's switch is the feed's own; the dialog turns it and shows it.
    ChartLinkDialog(AppContext &context, MainBar &bar, ChartFeed &feed, StockSource stocks);
    ~ChartLinkDialog() override;

    // Opens the dialog modally; the bar's refreshes go on meanwhile.
    int run();
    // What opening does before the dialog shows: the controls by the feeding flag, then the
    // Bridge and its Connect.
    void prepare();

    BackfillRunner &backfill() { return *m_backfill; }
    ChartBridge &bridge() { return *m_bridge; }
    void setCallTimeoutMs(int ms);

public slots:
    void reject() override;

private:
    void build();
    void showFeedingState();
    void lock(bool locked);
    void pressSync();
    void pressDeleteAll();
    void pressStart();
    void pressStop();
    void pressBackfill(bool fiveMinute);
    void pressKillAll();
    void backfillEnded(bool finished);

    AppContext &m_context;
    ChartFeed &m_feed;
    StockSource m_stocks;
    ChartBridge *m_bridge;
    BackfillRunner *m_backfill;
    bool m_busy = false;
    ColorButton *m_sync = nullptr;
    ColorButton *m_deleteAll = nullptr;
    ColorButton *m_start = nullptr;
    ColorButton *m_stop = nullptr;
    ColorButton *m_oneMinute = nullptr;
    ColorButton *m_fiveMinute = nullptr;
    ColorButton *m_stopBackfill = nullptr;
    ColorButton *m_killAll = nullptr;
    ColorButton *m_close = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_name = nullptr;
    QLabel *m_status = nullptr;
};
