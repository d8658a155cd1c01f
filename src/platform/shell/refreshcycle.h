#pragma once

#include "core/shell/refreshplan.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <string>

class InternetSession;
class QNetworkAccessManager;
class Messenger;

// The program's heartbeat: every period one request carries the symbols of every attached
// group; the reply is parsed into the groups that were in that request. Ticks that come while
// a fetch runs do nothing.
class RefreshCycle : public QObject
{
    Q_OBJECT
public:
    static constexpr int PeriodMs = 15000;
    // The whole quote transfer must end within a period. A little under it, so that a
    // fetch cut off at its deadline leaves the cycle idle for the very next tick.
    static constexpr int DeadlineMs = PeriodMs - 500;
    static constexpr const char *AgentName = "Main session";
    static constexpr const char *ShortReplyWarning =
        "WARNING!\nEither Data Server or Your Internet Connection is slow at the moment\n"
        "Please WAIT for the next Refresh ...";

    RefreshCycle(QuoteGroupRegistry &registry, Messenger &messenger, QObject *parent = nullptr);
    ~RefreshCycle() override;

    void setBaseUrl(std::string url) { m_baseUrl = std::move(url); }
    const std::string &baseUrl() const { return m_baseUrl; }
    void setTimeoutMs(int ms);
    void setDeadlineMs(int ms) { m_deadlineMs = ms; }
    void setPeriodMs(int ms) { m_timer.setInterval(ms); }
    int periodMs() const { return m_timer.interval(); }

    // Starts the periodic timer and posts one tick at once, so the first refresh needs no wait.
    void startTimer();
    // Panels stop the timer while a modal dialog of theirs is open...
    void stopTimer() { m_timer.stop(); }
    // ...and afterwards post a tick and start it again.
    void resumeTimer() { startTimer(); }
    bool timerActive() const { return m_timer.isActive(); }

    // The quote service is still starting: ticks wait, and the first of them goes out as soon
    // as serviceReady() is called (also when it could not start: the refresh then says so).
    void waitForService() { m_serviceStarting = true; }
    void serviceReady();
    bool waitingForService() const { return m_serviceStarting; }

    // A tick: starts a refresh unless one is running.
    void start();
    bool inProgress() const { return m_inProgress; }
    bool connected() const { return m_connected; }
    const RefreshPlan &currentPlan() const { return m_plan; }

signals:
    void requestStarted(const QString &url);
    // Every result, good or bad, before anything is parsed.
    void resultArrived(bool connected);
    // Every line of a good reply went to its group.
    void replyApplied();
    // A good reply had fewer lines than the request needed.
    void replyShort();

private:
    void handleResult(bool ok, const std::vector<std::string> &lines,
                      const std::vector<QuoteOrigin> &origins);

    QuoteGroupRegistry &m_registry;
    Messenger &m_messenger;
    std::unique_ptr<InternetSession> m_session;
    // Every session rides on this one manager: a manager of its own per refresh would start
    // a network thread each time, and deleting it waits for that thread on this one.
    QNetworkAccessManager *m_manager;
    QTimer m_timer;
    std::string m_baseUrl;
    RefreshPlan m_plan;
    int m_timeoutMs;
    int m_deadlineMs = DeadlineMs;
    bool m_inProgress = false;
    bool m_connected = false;
    bool m_warningOpen = false;
    bool m_serviceStarting = false;
    bool m_tickWaiting = false;
};
