#include "barstore.h"

#include "core/barbuilder.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace {
const char *const Schema[] = {
    "CREATE TABLE IF NOT EXISTS STOCKS (SYMBOL TEXT PRIMARY KEY, POS INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS BARS (SYMBOL TEXT NOT NULL, TIME INTEGER NOT NULL,"
    " OPEN REAL NOT NULL, HIGH REAL NOT NULL, LOW REAL NOT NULL, CLOSE REAL NOT NULL,"
    " VOLUME INTEGER NOT NULL, MINUTES INTEGER NOT NULL DEFAULT 1, PRIMARY KEY (SYMBOL, TIME))",
    // Appending a stock looks up the last position: with thousands of stocks a scan each time
    // made one call take minutes.
    "CREATE INDEX IF NOT EXISTS STOCKS_POS ON STOCKS (POS)",
};

// The widest bar kept: a day's.
constexpr qlonglong WidestBarSeconds = 86400;

QString qs(const std::string &s)
{
    return QString::fromStdString(s);
}
} // namespace

BarStore::BarStore()
    : m_db(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                     QUuid::createUuid().toString(QUuid::WithoutBraces)))
{
}

BarStore::~BarStore()
{
    const QString name = m_db.connectionName();
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

bool BarStore::open(const QString &file, QString &error)
{
    m_db.setDatabaseName(file);
    if (!m_db.open()) {
        error = m_db.lastError().text();
        return false;
    }
    QSqlQuery query(m_db);
    // A finished change is on the disk before the caller hears of it.
    query.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    for (const char *statement : Schema) {
        if (!query.exec(QString::fromLatin1(statement))) {
            error = query.lastError().text();
            return false;
        }
    }
    // A file from before bars had sizes: its bars were the day's minutes.
    query.exec(QStringLiteral("SELECT MINUTES FROM BARS LIMIT 0"));
    if (query.lastError().isValid() &&
        !query.exec(
            QStringLiteral("ALTER TABLE BARS ADD COLUMN MINUTES INTEGER NOT NULL DEFAULT 1"))) {
        error = query.lastError().text();
        return false;
    }
    return true;
}

template <typename Change> bool BarStore::inTransaction(Change change, QString &error)
{
    if (!m_db.transaction()) {
        error = m_db.lastError().text();
        return false;
    }
    if (change() && m_db.commit())
        return true;
    // A failed statement keeps its reason to itself; the connection knows only of commits.
    error = m_db.lastError().text();
    if (error.trimmed().isEmpty())
        error = QStringLiteral("the change could not be stored in %1").arg(m_db.databaseName());
    m_db.rollback();
    return false;
}

bool BarStore::addStock(const QString &symbol)
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM STOCKS WHERE SYMBOL = ?"));
    query.addBindValue(symbol);
    if (!query.exec() || !query.next())
        return false;
    if (query.value(0).toInt() > 0)
        return true;
    query.prepare(QStringLiteral(
        "INSERT INTO STOCKS (SYMBOL, POS) SELECT ?, COALESCE(MAX(POS), 0) + 1 FROM STOCKS"));
    query.addBindValue(symbol);
    return query.exec();
}

std::optional<Bar> BarStore::barAt(const QString &symbol, std::int64_t time) const
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT OPEN, HIGH, LOW, CLOSE, VOLUME, MINUTES FROM BARS"
                                 " WHERE SYMBOL = ? AND TIME = ?"));
    query.addBindValue(symbol);
    query.addBindValue(static_cast<qlonglong>(time));
    if (!query.exec() || !query.next())
        return std::nullopt;
    return Bar{time,
               query.value(0).toDouble(),
               query.value(1).toDouble(),
               query.value(2).toDouble(),
               query.value(3).toDouble(),
               query.value(4).toLongLong(),
               query.value(5).toInt()};
}

std::optional<bool> BarStore::coveredByOtherSize(const QString &symbol, const Bar &bar) const
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM BARS WHERE SYMBOL = ? AND MINUTES <> ?"
                                 " AND TIME > ? AND TIME < ? AND TIME + MINUTES * 60 > ?"));
    const auto from = static_cast<qlonglong>(bar.time);
    for (const QVariant &value :
         {QVariant(symbol), QVariant(bar.minutes), QVariant(from - WidestBarSeconds),
          QVariant(from + bar.minutes * 60), QVariant(from)})
        query.addBindValue(value);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return query.value(0).toInt() > 0;
}

bool BarStore::putBar(const QString &symbol, const Bar &bar)
{
    // A bar never takes the place of bars of another size: five-minute bars over the day's
    // minutes would show one minute's volume five times over.
    const std::optional<bool> covered = coveredByOtherSize(symbol, bar);
    if (!covered)
        return false;
    if (*covered)
        return true;
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("DELETE FROM BARS WHERE SYMBOL = ? AND TIME = ?"));
    query.addBindValue(symbol);
    query.addBindValue(static_cast<qlonglong>(bar.time));
    if (!query.exec())
        return false;
    query.prepare(QStringLiteral("INSERT INTO BARS (SYMBOL, TIME, OPEN, HIGH, LOW, CLOSE, VOLUME,"
                                 " MINUTES) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant &value :
         {QVariant(symbol), QVariant(static_cast<qlonglong>(bar.time)), QVariant(bar.open),
          QVariant(bar.high), QVariant(bar.low), QVariant(bar.close),
          QVariant(static_cast<qlonglong>(bar.volume)), QVariant(bar.minutes)})
        query.addBindValue(value);
    return query.exec();
}

bool BarStore::syncStockList(const std::vector<std::string> &symbols, QString &error)
{
    return inTransaction(
        [&] {
            // Stocks that leave the list take their bars with them.
            QStringList keep;
            for (const std::string &s : symbols)
                keep << qs(s);
            for (const QString &old : stocks()) {
                if (keep.contains(old))
                    continue;
                QSqlQuery query(m_db);
                for (const char *statement :
                     {"DELETE FROM BARS WHERE SYMBOL = ?", "DELETE FROM STOCKS WHERE SYMBOL = ?"}) {
                    query.prepare(QString::fromLatin1(statement));
                    query.addBindValue(old);
                    if (!query.exec())
                        return false;
                }
            }
            for (const QString &symbol : keep)
                if (!addStock(symbol))
                    return false;
            return true;
        },
        error);
}

bool BarStore::deleteAll(QString &error)
{
    return inTransaction(
        [&] {
            QSqlQuery query(m_db);
            return query.exec(QStringLiteral("DELETE FROM BARS")) &&
                   query.exec(QStringLiteral("DELETE FROM STOCKS"));
        },
        error);
}

bool BarStore::applyFeed(const std::vector<FeedRecord> &records, std::int64_t minute,
                         QString &error)
{
    return inTransaction(
        [&] {
            for (const FeedRecord &record : records) {
                if (!carriesPrice(record))
                    continue;
                const QString symbol = qs(record.symbol);
                std::optional<Bar> running = barAt(symbol, minute);
                // Another size's bar in this minute stays as it is (putBar passes it over).
                if (running && running->minutes != 1)
                    running.reset();
                if (!addStock(symbol) || !putBar(symbol, feedBar(running, record, minute)))
                    return false;
            }
            return true;
        },
        error);
}

bool BarStore::backfill(const std::string &symbol, const std::vector<Bar> &bars, QString &error)
{
    return inTransaction(
        [&] {
            if (!addStock(qs(symbol)))
                return false;
            for (const Bar &bar : bars)
                if (!putBar(qs(symbol), bar))
                    return false;
            return true;
        },
        error);
}

QStringList BarStore::stocks() const
{
    QStringList list;
    QSqlQuery query(m_db);
    query.exec(QStringLiteral("SELECT SYMBOL FROM STOCKS ORDER BY POS"));
    while (query.next())
        list << query.value(0).toString();
    return list;
}

std::vector<Bar> BarStore::bars(const QString &symbol, int limit) const
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT TIME, OPEN, HIGH, LOW, CLOSE, VOLUME, MINUTES FROM BARS"
                                 " WHERE SYMBOL = ? ORDER BY TIME DESC LIMIT ?"));
    query.addBindValue(symbol);
    query.addBindValue(limit);
    std::vector<Bar> bars;
    if (query.exec())
        while (query.next())
            bars.insert(bars.begin(), Bar{query.value(0).toLongLong(), query.value(1).toDouble(),
                                          query.value(2).toDouble(), query.value(3).toDouble(),
                                          query.value(4).toDouble(), query.value(5).toLongLong(),
                                          query.value(6).toInt()});
    return bars;
}
