#include "core/trades/tradematcher.h"
#include "platform/store/pricedtrades.h"
#include "platform/store/schemaversion.h"
#include "platform/store/sqlitefile.h"
#include "support/immutablefolder.h"
#include "support/storetestbed.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTest>

// Opening the company database: first and later starts, files and data sources that can't be
// used, and files of earlier releases brought up to date or refused untouched.
class CompanyDatabaseTest : public QObject
{
    Q_OBJECT

private:
    StoreTestBed m_bed;
    int m_copies = 0;

    static StoreConfig at(const QString &file) { return resolveStoreConfig({}, file, {}); }
    static bool says(const StoreStatus &status, const QString &part)
    {
        return QString::fromStdString(status.error()).contains(part);
    }
    // A statement on the file itself: its first value, 0 when it gives none, -1 when it fails.
    static qlonglong run(const QString &file, const QString &sql)
    {
        TemporaryConnection raw(QStringLiteral("QSQLITE"), file);
        QSqlQuery query(raw.database());
        if (!raw.database().open() || !query.exec(sql))
            return -1;
        return query.next() ? query.value(0).toLongLong() : 0;
    }
    // A writable copy of a release's file. release-unversioned: two brokers, four lots of three
    // stocks (RELIANCE 10 at 1250.50 then 4 at 1300.25), a watch list of two. release-v3: two
    // sales, RELIANCE 12 at 1400 over lots of 10 and 4 of the percentage broker 1, INFY 2 at 1600
    // of broker 2, priced by schedule.
    QString copyOf(const QString &release)
    {
        const QString copy = m_bed.path(QStringLiteral("release-%1.sqlite").arg(++m_copies));
        QFile::copy(QStringLiteral(VANTREL_STORE_FIXTURES "/") + release, copy);
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        return copy;
    }

private slots:
    void initTestCase() { QVERIFY2(m_bed.setUp(), qPrintable(m_bed.errorText())); }

    // The first start makes the file, its folders too, and seeds it; a later one keeps it.
    void theFirstStartSeedsTheFileOrDataSourceAndNoLaterOneDoes()
    {
        const StoreConfig config = resolveStoreConfig({}, {}, m_bed.path("first/deeper"));
        {
            CompanyDatabase db("first");
            const StoreStatus opened = db.open(config);
            QVERIFY2(opened.ok(), opened.error().c_str());
            // Empty fields are NULL; how many rows land is the program start's test.
            QCOMPARE(
                run(config.databaseFile, "SELECT COUNT(*) FROM CompanyList WHERE BSENAME IS NULL"),
                129);
            QVERIFY(!QFile::exists(config.databaseFile + QStringLiteral(".part")));
            QVERIFY(db.companyList().insert({"Vantrel Test Limited", "VTEST", ""}).ok());
        }
        QVERIFY(says(initDatabase(config), QDir::toNativeSeparators(config.databaseFile)));
        CompanyDatabase db("again");
        QVERIFY(db.open(config).ok());
        QCOMPARE(run(config.databaseFile, "SELECT COUNT(*) FROM CompanyList"), 4796);

        // A data source that is missing, then not prepared, then prepared once, then refused
        // once a newer release has written it.
        CompanyDatabase missing("missing");
        const StoreStatus none = missing.open(resolveStoreConfig("NoSuchSource", {}, {}));
        QVERIFY2(says(none, "\"NoSuchSource\""), none.error().c_str());
        QVERIFY(!missing.selectedFutures().insert({"Infosys Limited", "INFY"}).ok());

        QFile::remove(m_bed.odbcDatabaseFile());
        const StoreConfig odbc = m_bed.config(StoreBackend::Odbc);
        CompanyDatabase source("odbc");
        StoreStatus opened = source.open(odbc);
        QVERIFY2(says(opened, "--init-db"), opened.error().c_str());

        const StoreStatus prepared = initDatabase(odbc);
        QVERIFY2(prepared.ok(), prepared.error().c_str());
        opened = source.open(odbc);
        QVERIFY2(opened.ok(), opened.error().c_str());
        QVERIFY(source.watchList().insert({"Infosys Limited", "NSE", "INFY"}).ok());
        QVERIFY(says(initDatabase(odbc), "\"CompanyList\""));
        QCOMPARE(source.watchList().load().value().size(), 1u);

        QVERIFY(source.connection()
                    .run(QStringLiteral("UPDATE SCHEMAVERSION SET VERSION = ?"),
                         {currentSchemaVersion() + 1})
                    .ok());
        source.close();
        QVERIFY(says(source.open(odbc), "newer version of Vantrel"));
    }

    void unusableFilesAreReportedAndLeftAlone_data()
    {
        QTest::addColumn<QString>("tables"); // "all", a table made with sqlite, or not a database
        QTest::addColumn<int>("permissions");
        QTest::addColumn<bool>("initRefused"); // an unrelated database may be given our tables
        QTest::addColumn<bool>("lockFolder");  // no new file in its folder, even for root
        const int rw = int(QFile::ReadOwner | QFile::WriteOwner);
        QTest::newRow("not a database") << QString() << rw << true << false;
        QTest::newRow("unreadable") << "all" << 0 << true << false;
        QTest::newRow("read-only folder") << "all" << rw << true << true;
        QTest::newRow("someone else's") << "Notes" << rw << false << false;
        QTest::newRow("tables missing") << "CompanyList" << rw << true << false;
    }

    void unusableFilesAreReportedAndLeftAlone()
    {
        QFETCH(QString, tables);
        QFETCH(int, permissions);
        QFETCH(bool, initRefused);
        QFETCH(bool, lockFolder);
        const QString file =
            m_bed.path(QStringLiteral("bad/%1/CompanyList.sqlite").arg(QTest::currentDataTag()));
        QDir().mkpath(QFileInfo(file).absolutePath());
        if (tables == QLatin1String("all")) {
            QVERIFY(initDatabase(at(file)).ok());
        } else if (!tables.isEmpty()) {
            QCOMPARE(run(file, QStringLiteral("CREATE TABLE %1 (A INTEGER)").arg(tables)), 0);
        } else {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write("COMPNAME,NSENAME\nnot,a db\n"));
        }
        const QByteArray before = StoreTestBed::digest(file);
        QVERIFY(QFile::setPermissions(file, QFile::Permissions(permissions)));
        // Permission bits don't stop root; an immutable folder stops everyone.
        ImmutableFolder locked(lockFolder ? QFileInfo(file).absolutePath() : QString());
        if (lockFolder && !locked.held())
            QSKIP(qPrintable("the folder can't be made immutable here: " + locked.errorText()));

        CompanyDatabase db("bad");
        const StoreStatus opened = db.open(at(file));
        QVERIFY2(says(opened, QDir::toNativeSeparators(file)), opened.error().c_str());
        // The program runs on with empty lists, and nothing it does reaches the file. A search
        // says why it finds nothing.
        const std::string found = db.companyList().searchByName("Limited", Exchange::Nse).error();
        QVERIFY2(found.starts_with(opened.error() + "\n\nVantrel runs on"), found.c_str());
        QCOMPARE(db.watchList().save({{"Infosys Limited", "NSE", "INFY"}}).error(), opened.error());
        if (initRefused)
            QVERIFY(!initDatabase(at(file)).ok());

        QCOMPARE(QFile::permissions(file) & 0x7077, QFile::Permissions(permissions));
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(StoreTestBed::digest(file), before);
    }

    void theDataRootComesFromOptionEnvironmentOrHome()
    {
        // A new user gets the desktop's data folder; one who has ~/Vantrel keeps it.
        QTemporaryDir home;
        QProcessEnvironment env;
        env.insert("HOME", home.path());
        QCOMPARE(resolveDataRoot({}, env), home.path() + "/.local/share/vantrel");
        env.insert("XDG_DATA_HOME", home.path() + "/data/");
        QCOMPARE(resolveDataRoot({}, env), home.path() + "/data/vantrel");
        env.insert("XDG_DATA_HOME", "relative/is/ignored");
        QCOMPARE(resolveDataRoot({}, env), home.path() + "/.local/share/vantrel");
        QVERIFY(QDir(home.path()).mkdir("Vantrel"));
        QCOMPARE(resolveDataRoot({}, env), home.path() + "/Vantrel");
        env.insert("VANTREL_HOME", "/srv/vantrel/");
        QCOMPARE(resolveDataRoot({}, env), QStringLiteral("/srv/vantrel"));
        QCOMPARE(resolveDataRoot("/tmp/v", env), QStringLiteral("/tmp/v"));
    }

    // The lots of the release before versioning become undated typed buys, the rest stays;
    // opened again, the file is left as it is. One that can't be upgraded is refused untouched.
    void aReleaseFileIsUpgradedWithoutLossOrRefusedUntouched()
    {
        const QString file = copyOf("release-unversioned.sqlite");
        const ProfileLot tcs{
            "TATA CONSULTANCY SERVICES LIMITED", "NSE", "TCS", 0, 3500, 3, 0, "2026-02-03"};
        {
            CompanyDatabase db(QStringLiteral("release"));
            const StoreStatus opened = db.open(at(file));
            QVERIFY2(opened.ok(), opened.error().c_str());
            const auto brokers = db.brokers().loadAll().value();
            QCOMPARE(brokers.size(), 2u);
            QCOMPARE(brokers[1].rates[IntradaySellSTT], 0.025);
            const std::string reliance = "RELIANCE INDUSTRIES LIMITED";
            const std::vector<ProfileLot> lots = {
                {reliance, "NSE", "RELIANCE", 0, 1250.5, 10, 1},
                {"INFOSYS LIMITED", "NSE", "INFY", 0, 1500, 5, 2},
                {reliance, "NSE", "RELIANCE", 0, 1300.25, 4, 1},
                {"STATE BANK OF INDIA", "NSE", "SBIN", 1, 800.05, 100, 2}};
            QCOMPARE(db.profile().loadAll().value(), lots);
            // The lots are the open buys: their kind, price and date are the trades'.
            const std::vector<Trade> trades = db.trades().loadAll().value();
            QCOMPARE(trades.size(), 4u);
            for (const Trade &t : trades)
                QVERIFY(t.source == TypedSource && t.exchangeTradeId.empty());
            const auto watch = db.watchList().load().value();
            QCOMPARE(watch.size(), 2u);
            QCOMPARE(watch[1], (WatchRow{"HDFC BANK LIMITED", "NSE", "HDFCBANK", 1, 1500, 1800}));
            QCOMPARE(db.companyList().listedOn(Exchange::Nse).value().size(), 5u);

            // The upgrade gains the 31 January 2018 values per company. An undated buy given its
            // date by the lot dialog keeps its trade; a new lot is dated.
            QVERIFY(db.jan2018Values().loadAll().value().empty());
            QVERIFY(db.jan2018Values().setAll({{"RELIANCE", 1000.5}, {"INFY", 1150}}).ok());
            // A second answer for a company replaces the first; the others stay.
            QVERIFY(db.jan2018Values().setAll({{"INFY", 1160.25}}).ok());
            QVERIFY(
                db.profile()
                    .replaceStock("RELIANCE", 0,
                                  {{reliance, "NSE", "RELIANCE", 0, 1250.5, 10, 1, "2017-05-02"},
                                   {reliance, "NSE", "RELIANCE", 0, 1300.25, 4, 1, ""}})
                    .ok());
            QVERIFY(db.profile().insertLots({tcs}).ok());
        }
        QCOMPARE(run(file, "SELECT COUNT(*) FROM PROFILELIST"), 0);
        const QByteArray before = StoreTestBed::digest(file);
        CompanyDatabase again(QStringLiteral("release-again"));
        QVERIFY(again.open(at(file)).ok());
        QCOMPARE(again.jan2018Values().loadAll().value(),
                 (Jan2018Values{{"INFY", 1160.25}, {"RELIANCE", 1000.5}}));
        const std::vector<Trade> t = again.trades().loadAll().value();
        QCOMPARE(t.size(), 5u);
        QCOMPARE(std::tuple(t[0].id, t[0].date, t[2].date, t[4].date),
                 std::tuple(1L, std::string("2017-05-02"), std::string(), tcs.buyDate));
        QCOMPARE(again.profile().lots("TCS", 0).value(), std::vector{tcs});
        again.close();
        QCOMPARE(StoreTestBed::digest(file), before);

        // A newer file is refused; an upgrade is one transaction, so a failing step (the third
        // after the lots have moved to the trade book) leaves the file as it was.
        const QString newer =
            QStringLiteral("PRAGMA user_version = %1").arg(currentSchemaVersion() + 1);
        for (const auto &[release, sql, reason] :
             std::initializer_list<std::tuple<const char *, QString, const char *>>{
                 {"release-unversioned.sqlite", newer, "newer version of Vantrel"},
                 {"release-unversioned.sqlite", "CREATE TABLE JAN2018VALUE (X INTEGER)",
                  "version 3"}}) {
            const QString refused = copyOf(release);
            QCOMPARE(run(refused, sql), 0);
            const QByteArray kept = StoreTestBed::digest(refused);
            {
                CompanyDatabase db(QStringLiteral("refused"));
                const StoreStatus opened = db.open(at(refused));
                QVERIFY2(!opened.ok() && says(opened, reason) && !db.isOpen(),
                         qPrintable(sql + ": " + QString::fromStdString(opened.error())));
            }
            QVERIFY2(StoreTestBed::digest(refused) == kept, qPrintable(sql));
        }
    }

    void salesKeepTheirResultsAndLotsWhatWasSoldThroughLaterChanges()
    {
        CompanyDatabase db(QStringLiteral("results"));
        QVERIFY(db.open(at(copyOf("release-v3.sqlite"))).ok());
        std::map<long, SaleResult> stored = db.saleResults().loadAll().value();
        QCOMPARE(stored.size(), 2u);
        QCOMPARE(std::tuple(stored[5].costOfLots, stored[5].saleValue, stored[6].costOfLots),
                 std::tuple(10 * 1250.5 + 2 * 1300.25, 16800.0, 2 * 1500.0));
        QVERIFY(stored[5].buyCharges > 0 && stored[5].sellCharges > 0);
        QCOMPARE(stored[5].profit, stored[5].saleValue - stored[5].costOfLots -
                                       stored[5].buyCharges - stored[5].sellCharges);
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
        QCOMPARE(std::pair(again.costOfLots, again.buyCharges),
                 std::pair(10 * 1200 + 2 * 1300.25, 0.0));
        // ...and a sale that goes takes its result along; the other sales' stay.
        QVERIFY(db.trades().remove(6).ok());
        QCOMPARE(db.saleResults().loadAll().value().size(), 1u);
        QCOMPARE(pricedTradeLines(db).value().back().result->profit, again.profit);

        // A broker's schedule goes with it: the next broker added gets its id, not its pricing.
        for (bool scheduled : {true, false}) {
            QVERIFY(db.brokers().insert(newBroker()).ok());
            QVERIFY(!scheduled || db.brokerSchedules().set(3, BrokerSchedule{}).ok());
            QCOMPARE(db.brokerSchedules().loadAll().value().contains(3), scheduled);
            QVERIFY(db.brokers().removeUnused(3).value());
        }

        // The sale of 12 RELIANCE (typed buys of broker 1) left 2 of the second lot. Edited to
        // 5 at 1310: the buy becomes the 2 sold and the 5 left, at the new price.
        std::vector<ProfileLot> reliance = db.profile().lots("RELIANCE", 0).value();
        QCOMPARE(reliance, (std::vector<ProfileLot>{{"RELIANCE INDUSTRIES LIMITED", "NSE",
                                                     "RELIANCE", 0, 1300.25, 2, 1}}));
        reliance[0].quantity = 5;
        reliance[0].price = 1310;
        QVERIFY(db.profile().replaceStock("RELIANCE", 0, reliance).ok());
        QCOMPARE(db.profile().lots("RELIANCE", 0).value()[0].quantity, 5L);

        // Deleted: the sold part stays, so the sale's result still has both its lots.
        QVERIFY(db.profile().removeStock("RELIANCE", 0).ok());
        QVERIFY(db.profile().lots("RELIANCE", 0).value().empty());
        const TradeBook book = matchTrades(db.trades().loadAll().value(), {});
        QCOMPARE(book.sales.size(), 1u);
        QCOMPARE(std::pair(book.sales[0].unmatched, book.sales[0].lots.size()),
                 std::pair(0L, std::size_t(2)));

        // A broker that a trade names stays, whether or not a lot is left.
        QVERIFY(!db.brokers().removeUnused(1).value());
    }
};

QTEST_GUILESS_MAIN(CompanyDatabaseTest)
#include "companydatabase_test.moc"
