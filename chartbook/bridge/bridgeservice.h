#pragma once

#include <QDBusContext>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>

class BarStore;

// The bridge service's methods, as the published interface names them (the generated
// adaptor forwards each call here). Malformed text is answered with a D-Bus error and
// changes nothing; so is a change the store could not make, and a feed too large to be one.
class BridgeService : public QObject, protected QDBusContext
{
    Q_OBJECT
public:
    static constexpr const char *MalformedText = "org.vantrel.ChartBridge1.Error.MalformedText";
    static constexpr const char *StoreFailed = "org.vantrel.ChartBridge1.Error.StoreFailed";
    static constexpr const char *TooLarge = "org.vantrel.ChartBridge1.Error.TooLarge";

    using Clock = std::function<std::int64_t()>;
    // The clock stamps feed bars; by default the machine's local time.
    explicit BridgeService(BarStore &store, Clock clock = {}, QObject *parent = nullptr);

public slots:
    void Connect();
    void FeedQuotes(const QString &feed);
    void SyncStockList(const QString &symbols);
    void DeleteAllStocks();
    void BackfillStock(const QString &symbol, const QString &bars);

signals:
    void stocksChanged();
    void barsChanged();

private:
    // Answers the call with an error when a step failed; true when it went through.
    bool answer(bool parsed, const std::string &parseError, bool stored, const QString &storeError);

    BarStore &m_store;
    Clock m_clock;
};

// The machine's local time as seconds since 1970-01-01 of local time, the way bar times count.
std::int64_t localNow();
