#include "bridgeservice.h"

#include "core/backfilltext.h"
#include "core/feedtext.h"
#include "core/fields.h"
#include "store/barstore.h"

#include <QDateTime>

std::int64_t localNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    return QDateTime(now.date(), now.time(), Qt::UTC).toSecsSinceEpoch();
}

BridgeService::BridgeService(BarStore &store, Clock clock, QObject *parent)
    : QObject(parent), m_store(store), m_clock(clock ? std::move(clock) : Clock(localNow))
{
}

bool BridgeService::answer(bool parsed, const std::string &parseError, bool stored,
                           const QString &storeError)
{
    if (!parsed) {
        if (calledFromDBus())
            sendErrorReply(QString::fromLatin1(MalformedText), QString::fromStdString(parseError));
        return false;
    }
    if (!stored) {
        if (calledFromDBus())
            sendErrorReply(QString::fromLatin1(StoreFailed), storeError);
        return false;
    }
    return true;
}

void BridgeService::Connect()
{
    // Running and holding the store open is all that being ready takes.
}

void BridgeService::FeedQuotes(const QString &feed)
{
    if (feedTooLarge(feed.toStdString())) {
        if (calledFromDBus())
            sendErrorReply(QString::fromLatin1(TooLarge),
                           QStringLiteral("a feed of %1 characters is more than one feed cycle "
                                          "carries (at most %2 records in %3 bytes)")
                               .arg(feed.size())
                               .arg(MaxFeedRecords)
                               .arg(MaxFeedBytes));
        return;
    }
    std::vector<FeedRecord> records;
    std::string parseError;
    QString storeError;
    const bool parsed = parseFeedText(feed.toStdString(), records, parseError);
    const bool stored = parsed && m_store.applyFeed(records, minuteStart(m_clock()), storeError);
    if (answer(parsed, parseError, stored, storeError) && !records.empty()) {
        emit stocksChanged();
        emit barsChanged();
    }
}

void BridgeService::SyncStockList(const QString &symbols)
{
    std::vector<std::string> list;
    std::string parseError;
    QString storeError;
    const bool parsed = parseStockList(symbols.toStdString(), list, parseError);
    const bool stored = parsed && m_store.syncStockList(list, storeError);
    if (answer(parsed, parseError, stored, storeError))
        emit stocksChanged();
}

void BridgeService::DeleteAllStocks()
{
    QString storeError;
    if (answer(true, {}, m_store.deleteAll(storeError), storeError))
        emit stocksChanged();
}

void BridgeService::BackfillStock(const QString &symbol, const QString &bars)
{
    std::vector<Bar> parsedBars;
    std::string parseError;
    QString storeError;
    bool parsed = fields::isSymbol(symbol.toStdString());
    if (!parsed)
        parseError = "malformed stock name \"" + symbol.toStdString() + "\"";
    else
        parsed = parseBackfillText(bars.toStdString(), parsedBars, parseError);
    const bool stored = parsed && m_store.backfill(symbol.toStdString(), parsedBars, storeError);
    if (answer(parsed, parseError, stored, storeError)) {
        emit stocksChanged();
        emit barsChanged();
    }
}
