#include "core/trades/tradematcher.h"
#include "platform/store/pricedtrades.h"
#include "platform/store/schemaversion.h"
#include "platform/store/sqlitefile.h"
#include "support/storetestbed.h"

#include <QFile>
#include <QSqlQuery>
#include <QTest>

// The trade book in the company database: the lots of the release before it become buys,
// the lists' own edits work on the buys that sales left, and sales keep their results.
class TradeBookTest : public QObject
{
    Q_OBJECT

private:
    StoreTestBed m_bed;
    int m_copies = 0;

    QString releaseCopy(const QString &release = QStringLiteral("release-unversioned.sqlite"))
    {
        const QString copy = m_bed.path(QStringLiteral("release-%1.sqlite").arg(++m_copies));
        QFile::copy(QStringLiteral(VANTREL_STORE_FIXTURES "/") + release, copy);
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        return copy;
    }

    static qlonglong count(const QString &file, const QString &sql)
    {
        TemporaryConnection raw(QStringLiteral("QSQLITE"), file);
        QSqlDatabase db = raw.database();
        QSqlQuery query(db);
        return db.open() && query.exec(sql) && query.next() ? query.value(0).toLongLong() : -1;
    }

    static Trade sale(const std::string &symbol, long quantity, double price,
                      const std::string &date)
    {
        Trade t;
        t.date = date;
        t.exchange = "NSE";
        t.symbol = symbol;
        t.side = TradeSide::Sell;
        t.quantity = quantity;
        t.price = price;
        t.brokerId = 1;
        t.source = TypedSource;
        return t;
    }

private slots:
    void initTestCase() { QVERIFY2(m_bed.setUp(), qPrintable(m_bed.errorText())); }

    void releaseLotsBecomeUndatedBuys()
    {
        const QString file = releaseCopy();
        CompanyDatabase db(QStringLiteral("migrated"));
        QVERIFY(db.open(resolveStoreConfig({}, file, {})).ok());
        const std::vector<Trade> trades = db.trades().loadAll().value();
        QCOMPARE(trades.size(), 4u);
        for (const Trade &t : trades) {
            QCOMPARE(t.side, TradeSide::Buy);
            QVERIFY(t.date.empty());
            QVERIFY(t.exchangeTradeId.empty());
            QCOMPARE(t.source, std::string(TypedSource));
        }
        QCOMPARE(trades[3].kind, TradeKind::Intraday);
        QCOMPARE(trades[3].price, 800.05);
        QCOMPARE(count(file, "SELECT COUNT(*) FROM PROFILELIST"), 0);
    }

    void aFailedUpgradeLeavesTheFileAsItWas()
    {
        const QString file = releaseCopy();
        {
            TemporaryConnection raw(QStringLiteral("QSQLITE"), file);
            QSqlDatabase rawDb = raw.database();
            QVERIFY(rawDb.open());
            QVERIFY(QSqlQuery(rawDb).exec(QStringLiteral("CREATE TABLE TRADES (X INTEGER)")));
        }
        CompanyDatabase db(QStringLiteral("blocked"));
        const StoreStatus opened = db.open(resolveStoreConfig({}, file, {}));
        QVERIFY(!opened.ok());
        QVERIFY2(QString::fromStdString(opened.error()).contains("version 2"),
                 opened.error().c_str());
        db.close();
        QCOMPARE(count(file, "PRAGMA user_version"), 0);
        QCOMPARE(count(file, "SELECT COUNT(*) FROM PROFILELIST"), 4);
        QCOMPARE(count(file, "SELECT COUNT(*) FROM TRADES"), 0);
    }

    void listEditsKeepWhatWasSold()
    {
        const QString file = releaseCopy();
        CompanyDatabase db(QStringLiteral("edits"));
        QVERIFY(db.open(resolveStoreConfig({}, file, {})).ok());
        // RELIANCE: 10 at 1250.50 then 4 at 1300.25; selling 12 leaves 2 of the second lot.
        QVERIFY(db.trades().insertAll({sale("RELIANCE", 12, 1400, "2026-01-05")}).ok());
        std::vector<ProfileLot> reliance = db.profile().lots("RELIANCE", 0).value();
        QCOMPARE(reliance.size(), 1u);
        QCOMPARE(reliance[0].quantity, 2L);
        QCOMPARE(reliance[0].price, 1300.25);
        QCOMPARE(db.profile().loadAll().value().size(), 3u);

        // Edited to 5 at 1310: the buy becomes the 2 sold and the 5 left, at the new price.
        ProfileLot edited = reliance[0];
        edited.quantity = 5;
        edited.price = 1310;
        QVERIFY(db.profile().replaceStock("RELIANCE", 0, {edited}).ok());
        QCOMPARE(db.profile().lots("RELIANCE", 0).value()[0].quantity, 5L);

        // Deleted: the sold part stays, so the sale's result still has both its lots.
        QVERIFY(db.profile().removeStock("RELIANCE", 0).ok());
        QVERIFY(db.profile().lots("RELIANCE", 0).value().empty());
        const TradeBook book = matchTrades(db.trades().loadAll().value(), {});
        QCOMPARE(book.sales.size(), 1u);
        QCOMPARE(book.sales[0].unmatched, 0L);
        QCOMPARE(book.sales[0].lots.size(), 2u);

        // A broker that a trade names stays, whether or not a lot is left.
        QVERIFY(db.profile().brokerInUse(1).value());
        QVERIFY(!db.brokers().removeUnused(1).value());
    }

    // Version 3 held two sales: RELIANCE 12 at 1400 over lots of 10 and 4 of the percentage
    // broker 1, INFY 2 at 1600 of broker 2, priced by schedule.
    void salesKeepTheirResultsThroughLaterChanges()
    {
        const QString file = releaseCopy(QStringLiteral("release-v3.sqlite"));
        CompanyDatabase db(QStringLiteral("results"));
        QVERIFY(db.open(resolveStoreConfig({}, file, {})).ok());
        std::map<long, SaleResult> stored = db.saleResults().loadAll().value();
        QCOMPARE(stored.size(), 2u);
        QCOMPARE(stored[5].costOfLots, 10 * 1250.5 + 2 * 1300.25);
        QCOMPARE(stored[5].saleValue, 16800.0);
        QVERIFY(stored[5].buyCharges > 0 && stored[5].sellCharges > 0);
        QCOMPARE(stored[5].profit, stored[5].saleValue - stored[5].costOfLots -
                                       stored[5].buyCharges - stored[5].sellCharges);
        QCOMPARE(stored[6].costOfLots, 2 * 1500.0);
        QVERIFY(stored[6].sellCharges > 15.34); // the DP charge and the statutory ones

        // New rates leave a recorded result alone...
        BrokerEntry broker = db.brokers().loadAll().value()[0];
        broker.rates = {};
        QVERIFY(db.brokers().update(broker.id, broker).value());
        QCOMPARE(db.saleResults().loadAll().value()[5].profit, stored[5].profit);
        // ...an edit of an earlier buy figures the later sale again, at today's rates...
        Trade first = db.trades().loadAll().value()[0];
        first.price = 1200;
        QVERIFY(db.trades().update(first).value());
        const SaleResult again = db.saleResults().loadAll().value()[5];
        QCOMPARE(again.costOfLots, 10 * 1200 + 2 * 1300.25);
        QCOMPARE(again.buyCharges, 0.0);
        // ...and a sale that goes takes its result along; the other sales' stay.
        QVERIFY(db.trades().remove(6).ok());
        QCOMPARE(db.saleResults().loadAll().value().size(), 1u);
        QCOMPARE(pricedTradeLines(db).value().back().result->profit, again.profit);
    }

    void newLotsAreDatedBuys()
    {
        CompanyDatabase db(QStringLiteral("dated"));
        QVERIFY2(m_bed.recreate(StoreBackend::Sqlite, db), qPrintable(m_bed.errorText()));
        ProfileLot lot{
            "TATA CONSULTANCY SERVICES LIMITED", "NSE", "TCS", 0, 3500, 3, 0, "2026-02-03"};
        QVERIFY(db.profile().insertLots({lot}).ok());
        QCOMPARE(db.profile().loadAll().value(), std::vector<ProfileLot>{lot});
        QCOMPARE(db.trades().loadAll().value()[0].date, std::string("2026-02-03"));
    }
};

QTEST_GUILESS_MAIN(TradeBookTest)
#include "tradebook_test.moc"
