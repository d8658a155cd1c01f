#pragma once

#include <QObject>
#include <QString>
#include <QVariantList>

#include <functional>
#include <string>

// The Bridge: a proxy for the charting program's service on the session bus. Each Bridge
// has a bus connection of its own. Calls are asynchronous and bounded by a call timeout;
// any D-Bus error, a missing service or a timeout is the call's failure.
class ChartBridge : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *DefaultService = "org.vantrel.ChartBridge";
    static constexpr const char *Path = "/Bridge";
    static constexpr const char *Interface = "org.vantrel.ChartBridge1";
    static constexpr int DefaultTimeoutMs = 10000;

    using Done = std::function<void(bool ok)>;

    explicit ChartBridge(QString service, QObject *parent = nullptr);
    ~ChartBridge() override;

    // Reaches the session bus; false when there is none.
    bool create();
    bool created() const { return m_created; }
    // Created and answered Connect; the workers' Bridges check this before each use.
    bool ready() const { return m_ready; }
    void setReady(bool ready) { m_ready = ready; }
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    // Calls that have not answered yet.
    int pending() const { return m_pending; }

    // done runs on this thread when the answer (or the failure) arrives, unless the Bridge
    // is destroyed first.
    void connectBridge(Done done);
    void feedQuotes(const std::string &feed, Done done);
    void syncStockList(const std::string &symbols, Done done);
    void deleteAllStocks(Done done);
    void backfillStock(const std::string &name, const std::string &bars, Done done);

private:
    void call(const char *method, const QVariantList &arguments, Done done);

    QString m_service;
    QString m_connectionName;
    bool m_created = false;
    bool m_ready = false;
    int m_timeoutMs = DefaultTimeoutMs;
    int m_pending = 0;
};
