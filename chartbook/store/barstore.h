#pragma once

#include "bar.h"
#include "core/feedtext.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

// The charting program's own SQLite file: the stock list and every stock's one-minute bars.
// Each change runs in one transaction, so a failed or interrupted one (a kill -9) leaves the
// bars as the last finished change left them.
class BarStore
{
public:
    BarStore();
    ~BarStore();
    BarStore(const BarStore &) = delete;
    BarStore &operator=(const BarStore &) = delete;

    bool open(const QString &file, QString &error);
    QString file() const { return m_db.databaseName(); }

    bool syncStockList(const std::vector<std::string> &symbols, QString &error);
    bool deleteAll(QString &error);
    // One feed cycle's records, each into its stock's bar of the given minute; a stock not yet
    // on the list joins it.
    bool applyFeed(const std::vector<FeedRecord> &records, std::int64_t minute, QString &error);
    // Past bars of one stock, replacing stored bars of the same minutes and size; where bars of
    // another size are stored, those stay and the new bar is left out.
    bool backfill(const std::string &symbol, const std::vector<Bar> &bars, QString &error);

    QStringList stocks() const;
    // The latest bars of a stock, oldest first.
    std::vector<Bar> bars(const QString &symbol, int limit) const;

private:
    template <typename Change> bool inTransaction(Change change, QString &error);
    bool addStock(const QString &symbol);
    std::optional<Bar> barAt(const QString &symbol, std::int64_t time) const;
    // Whether a stored bar of another size covers part of this bar's span; none when unknown.
    std::optional<bool> coveredByOtherSize(const QString &symbol, const Bar &bar) const;
    bool putBar(const QString &symbol, const Bar &bar);

    QSqlDatabase m_db;
};
