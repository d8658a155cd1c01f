#pragma once

#include "core/chartlink/backfill.h"
#include "platform/chartlink/chartbridge.h"

#include <QPointer>

#include <functional>
#include <vector>

class InternetSession;
class Messenger;

// Backfill: NIFTY, SENSEX and the list's NSE stocks one after the other, each downloaded
// from the chart-data service and then handed to the charting program on a Bridge of its
// own. Nothing waits: a download and a Bridge call each end in a callback, and the next
// step starts from there.
class BackfillRunner : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *Done = "BackFill Done!!!";
    static constexpr const char *Stopping = "BACKFILL Stopping";
    static constexpr const char *Stopped = "BACKFILL Stopped";

    using StockSource = std::function<std::vector<WatchedStock>()>;

    BackfillRunner(const QString &service, std::string chartDataUrl, Messenger &messenger,
                   StockSource stocks, QObject *parent = nullptr);
    ~BackfillRunner() override;

    ChartBridge &bridge() { return m_bridge; }
    chartlink::BackfillRun &run() { return m_run; }
    void setTimeoutMs(int ms);
    // The longest one download may take as a whole, for a service that trickles.
    void setDeadlineMs(int ms) { m_deadlineMs = ms; }

    void start(chartlink::BackfillKind kind);
    // "STOP BackFill": a download under way is dropped; a Bridge call under way is waited for.
    void stop();

signals:
    void progressChanged(int percent);
    void labelChanged(const QString &text);
    // The run is over: finished (every entry done) or stopped.
    void ended(bool finished);

private:
    void step();
    void download(const chartlink::BackfillTarget &target);
    void handOver(const std::string &name, const std::string &data);
    void call(const std::string &name, const std::string &data);
    void end(bool finished);

    ChartBridge m_bridge;
    std::string m_chartDataUrl;
    Messenger &m_messenger;
    StockSource m_stocks;
    chartlink::BackfillRun m_run;
    bool m_toldUnreachable = false; // this run has said the charting program can't be reached
    QPointer<InternetSession> m_session;
    int m_timeoutMs = 0; // 0: the session's own bounds
    int m_deadlineMs = 0;
};
