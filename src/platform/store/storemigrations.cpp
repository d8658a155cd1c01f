#include "platform/store/storemigrations.h"

#include "core/trades/trade.h"
#include "platform/store/saleresulttable.h"
#include "platform/store/storeconnection.h"

namespace {
// 1: the schema carries its version. The tables of the release before it stay as they are;
// recording the version is all there is to do.
StoreStatus versioned(const StoreConnection &)
{
    return storeOk();
}

// 2: trades become the portfolio's source of truth. Every stored lot becomes a buy of no known
// date, in the lots' own order, and the lots table is emptied: holdings are built from trades.
StoreStatus tradeBook(const StoreConnection &connection)
{
    const QStringList statements = {
        QStringLiteral("CREATE TABLE TRADES (TRADEID INTEGER PRIMARY KEY, TRADEDATE VARCHAR(10), "
                       "TRADETIME VARCHAR(8), EXCHANGE VARCHAR(8), SYMBOL VARCHAR(255), "
                       "COMPNAME VARCHAR(255), ISIN VARCHAR(12), SIDE INTEGER, QUANTITY INTEGER, "
                       "PRICE DOUBLE PRECISION, DELIVERYTYPE INTEGER, BROKERID INTEGER, "
                       "SOURCE VARCHAR(255), EXCHANGETRADEID VARCHAR(64))"),
        QStringLiteral("CREATE TABLE BROKERSCHEDULE (BROKERID INTEGER PRIMARY KEY, "
                       "DELIVERY_PERCENT DOUBLE PRECISION, DELIVERY_MINIMUM DOUBLE PRECISION, "
                       "DELIVERY_CAP DOUBLE PRECISION, INTRADAY_PERCENT DOUBLE PRECISION, "
                       "INTRADAY_MINIMUM DOUBLE PRECISION, INTRADAY_CAP DOUBLE PRECISION, "
                       "DP_CHARGE DOUBLE PRECISION)")};
    for (const QString &statement : statements)
        if (auto made = connection.run(statement); !made)
            return made;

    // Read in the table's natural order, the order the lists were always built in.
    auto lots = connection.select<Trade>(
        QStringLiteral("SELECT COMPNAME, \"INDEX\", INDEXNAME, DELIVERYTYPE, PRICE, QUANTITY, "
                       "BROKERID FROM PROFILELIST"),
        {}, [](const QSqlQuery &q) {
            Trade t;
            t.companyName = textOf(q.value(0));
            t.exchange = textOf(q.value(1));
            t.symbol = textOf(q.value(2));
            t.kind = tradeKindOf(q.value(3).toInt());
            t.price = q.value(4).toDouble();
            t.quantity = static_cast<long>(q.value(5).toLongLong());
            t.brokerId = static_cast<long>(q.value(6).toLongLong());
            t.side = TradeSide::Buy;
            t.source = TypedSource;
            return t;
        });
    if (!lots)
        return StoreError{lots.error()};
    // The columns of this version: later ones add more.
    const QString insert = QStringLiteral(
        "INSERT INTO TRADES (EXCHANGE, SYMBOL, COMPNAME, SIDE, QUANTITY, PRICE, DELIVERYTYPE, "
        "BROKERID, SOURCE) VALUES (?, ?, ?, 0, ?, ?, ?, ?, ?)");
    for (const Trade &t : lots.value())
        if (auto moved = connection.run(
                insert, {textValue(t.exchange), textValue(t.symbol), textValue(t.companyName),
                         static_cast<qlonglong>(t.quantity), t.price, deliveryTypeOf(t.kind),
                         static_cast<qlonglong>(t.brokerId), textValue(t.source)});
            !moved)
            return moved;
    return connection.run(QStringLiteral("DELETE FROM PROFILELIST"));
}

// 3: the 31 January 2018 value per share of each company, as the user gives it for the lots
// bought before February 2018.
StoreStatus jan2018Values(const StoreConnection &connection)
{
    return connection.run(QStringLiteral("CREATE TABLE JAN2018VALUE (SYMBOL VARCHAR(255) "
                                         "PRIMARY KEY, SHAREVALUE DOUBLE PRECISION)"));
}

// 4: a trade keeps the broker's order it filled, so that brokerage is figured per order.
StoreStatus orderIds(const StoreConnection &connection)
{
    return connection.run(QStringLiteral("ALTER TABLE TRADES ADD ORDERID VARCHAR(64)"));
}

// 5: each sale keeps its realised result as figured when it was recorded; the sales already
// held are figured once here, with the brokers' pricing of today.
StoreStatus saleResults(const StoreConnection &connection)
{
    if (auto made = connection.run(QStringLiteral(
            "CREATE TABLE SALERESULT (TRADEID INTEGER PRIMARY KEY, SALEVALUE DOUBLE PRECISION, "
            "COSTOFLOTS DOUBLE PRECISION, BUYCHARGES DOUBLE PRECISION, "
            "SELLCHARGES DOUBLE PRECISION, PROFIT DOUBLE PRECISION, UNMATCHED INTEGER)"));
        !made)
        return made;
    return SaleResultTable(connection).restate({}, true);
}
} // namespace

const std::vector<StoreMigration> &storeMigrations()
{
    static const std::vector<StoreMigration> migrations = {versioned, tradeBook, jan2018Values,
                                                           orderIds, saleResults};
    return migrations;
}
