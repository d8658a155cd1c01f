#include "platform/chartlink/chartbridge.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <atomic>

ChartBridge::ChartBridge(QString service, QObject *parent)
    : QObject(parent), m_service(std::move(service))
{
    static std::atomic<int> serial{0};
    m_connectionName = QStringLiteral("vantrel-chartlink-%1").arg(++serial);
}

ChartBridge::~ChartBridge()
{
    if (m_created)
        QDBusConnection::disconnectFromBus(m_connectionName);
}

bool ChartBridge::create()
{
    if (m_created)
        return true;
    const QDBusConnection bus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_connectionName);
    if (!bus.isConnected()) {
        QDBusConnection::disconnectFromBus(m_connectionName);
        return false;
    }
    m_created = true;
    return true;
}

void ChartBridge::connectBridge(Done done)
{
    call("Connect", {}, std::move(done));
}

void ChartBridge::feedQuotes(const std::string &feed, Done done)
{
    call("FeedQuotes", {QString::fromStdString(feed)}, std::move(done));
}

void ChartBridge::syncStockList(const std::string &symbols, Done done)
{
    call("SyncStockList", {QString::fromStdString(symbols)}, std::move(done));
}

void ChartBridge::deleteAllStocks(Done done)
{
    call("DeleteAllStocks", {}, std::move(done));
}

void ChartBridge::backfillStock(const std::string &name, const std::string &bars, Done done)
{
    call("BackfillStock", {QString::fromStdString(name), QString::fromStdString(bars)},
         std::move(done));
}

void ChartBridge::call(const char *method, const QVariantList &arguments, Done done)
{
    if (!m_created) {
        // Answered from the event loop like any call, so callers need no second path.
        QMetaObject::invokeMethod(
            this, [done] { done(false); }, Qt::QueuedConnection);
        return;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(
        m_service, QLatin1String(Path), QLatin1String(Interface), QLatin1String(method));
    message.setArguments(arguments);
    // A name nobody owns must fail at once rather than start some program.
    message.setAutoStartService(false);
    const QDBusConnection bus(m_connectionName);
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, m_timeoutMs), this);
    ++m_pending;
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, done = std::move(done)](QDBusPendingCallWatcher *w) {
                --m_pending;
                w->deleteLater();
                done(!w->isError());
            });
}
