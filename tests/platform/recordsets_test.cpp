#include "support/storetestbed.h"

#include <QSqlQuery>
#include <QTest>

Q_DECLARE_METATYPE(StoreBackend)

// Every record class's statements, run once on the SQLite file and once through ODBC.
class RecordSetsTest : public QObject
{
    Q_OBJECT

private:
    StoreTestBed m_bed;
    CompanyDatabase m_db{"recordsets-test"};

    using Names = std::vector<std::string>;
    CompanyTable &companies() { return m_db.companyList(); }
    Names names(const char *part, Exchange exchange = Exchange::Nse)
    {
        Names out;
        for (const auto &row : companies().searchByName(part, exchange).value())
            out.push_back(row.name);
        return out;
    }
    bool raw(const QString &sql) { return QSqlQuery(m_db.connection().database()).exec(sql); }

    // Makes the database refuse one value (an SQL literal), so a save can fail half way.
    bool refuse(const QString &table, const QString &column, const QString &literal)
    {
        return raw(QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE INSERT ON %1 WHEN NEW.%2 = %3 "
                                  "BEGIN SELECT RAISE(ABORT, 'value refused by test'); END")
                       .arg(table, column, literal));
    }
    static BrokerEntry broker(const std::string &name, double base, long id = 0)
    {
        BrokerEntry entry{id, name, {}};
        for (std::size_t i = 0; i < BrokerRateCount; ++i)
            entry.rates[i] = base + 0.125 * double(i); // every column gets its own value
        return entry;
    }

private slots:
    void initTestCase_data()
    {
        QTest::addColumn<StoreBackend>("backend");
        QTest::newRow("sqlite") << StoreBackend::Sqlite;
        QTest::newRow("odbc") << StoreBackend::Odbc;
    }

    void initTestCase() { QVERIFY2(m_bed.setUp(), qPrintable(m_bed.errorText())); }

    void everyRecordSetReadsAndWritesItsTable()
    {
        QFETCH_GLOBAL(StoreBackend, backend);
        QVERIFY2(m_bed.recreate(backend, m_db), qPrintable(m_bed.errorText()));
        // The search as typed may answer from memory, but never from a list that has changed:
        // a new listing, a change on the same connection and one by another program all show.
        QVERIFY(names("qwerty").empty());
        QVERIFY(companies().insert({"Qwerty Listed Limited", "QWL", ""}).ok());
        QCOMPARE(names("qwerty"), Names{"Qwerty Listed Limited"});
        QVERIFY(raw(QStringLiteral("UPDATE CompanyList SET COMPNAME = 'Qwerty Renamed Limited' "
                                   "WHERE NSENAME = 'QWL'")));
        QCOMPARE(names("qwerty"), Names{"Qwerty Renamed Limited"});
        {
            CompanyDatabase other{"recordsets-other"};
            QVERIFY(other.open(m_bed.config(backend)).ok());
            QVERIFY(other.companyList().insert({"Another Qwerty Limited", "AQL", ""}).ok());
        }
        QCOMPARE(names("qwerty"), (Names{"Another Qwerty Limited", "Qwerty Renamed Limited"}));
        // Another database opened on the same connection is searched as itself.
        QVERIFY2(m_bed.recreate(backend, m_db), qPrintable(m_bed.errorText()));
        QVERIFY(names("qwerty").empty());

        // Not listed is NULL or empty; symbols are exact.
        QVERIFY(raw(QStringLiteral("INSERT INTO CompanyList (COMPNAME, NSENAME, BSENAME) "
                                   "VALUES ('Qwerty Empty Limited', '', '990001')")));
        QVERIFY(companies().insert({"Qwerty Null Limited", "", "990002"}).ok());
        QVERIFY(companies().insert({"Qwerty Nse Limited", "QWERTYN", ""}).ok());

        QCOMPARE(names("qwerty", Exchange::Bse),
                 (Names{"Qwerty Empty Limited", "Qwerty Null Limited"}));
        const auto nse = companies().searchByName("qwerty", Exchange::Nse).value();
        QCOMPARE(nse, (std::vector{CompanyRow{"Qwerty Nse Limited", "QWERTYN", ""}}));
        QVERIFY(!companies().hasSymbol(Exchange::Bse, "RELIANCE").value());
        QVERIFY(!companies().hasSymbol(Exchange::Nse, "reliance").value());
        QVERIFY(!companies().hasSymbol(Exchange::Nse, "DR'LAB").value());

        // Typed characters stand for themselves.
        for (const char *name : {"100% Pure Oils Limited", "1000 Pure Oils Limited",
                                 "Best_Choice Limited", "BestXChoice Limited", "Yes!Go Limited",
                                 "Yes Go Limited", "Zetb Limited", "zeta Limited"})
            QVERIFY(companies().insert({name, "X", "1"}).ok());
        QCOMPARE(names("0% P"), Names{"100% Pure Oils Limited"});
        QCOMPARE(names("t_C"), Names{"Best_Choice Limited"});
        QCOMPARE(names("s!G"), Names{"Yes!Go Limited"});
        QCOMPARE(names("zet"), (Names{"zeta Limited", "Zetb Limited"}));
        QCOMPARE(names("'s Lab"),
                 (Names{"Divi's Laboratories Limited", "Dr. Reddy's Laboratories Limited"}));

        // The watch list keeps its order and alerts.
        WatchListTable &watch = m_db.watchList();
        const std::vector<WatchRow> list = {
            {"Dr. Reddy's Laboratories Limited", "NSE", "DRREDDY", 1, 5000.5, 6200.25},
            {"Reliance Industries Limited", "BSE", "500325"},
            {"Infosys Limited", "NSE", "INFY"}};
        QVERIFY(watch.save(list).ok());
        QVERIFY(watch.insert({"Wipro Limited", "BSE", "507685"}).ok());
        QVERIFY(watch.setAlert("INFY", 1, 1400, 1600.75).value());
        QVERIFY(!watch.setAlert("TCS", 1, 1, 2).value());
        const WatchRow infy{"Infosys Limited", "NSE", "INFY", 1, 1400, 1600.75};
        QCOMPARE(
            watch.load().value(),
            (std::vector<WatchRow>{list[0], list[1], infy, {"Wipro Limited", "BSE", "507685"}}));

        // A save replaces the whole list; one that fails half way changes nothing.
        const std::vector<WatchRow> before = {{"Infosys Limited", "NSE", "INFY"},
                                              {"Wipro Limited", "NSE", "WIPRO"}};
        QVERIFY(m_db.watchList().save(before).ok());
        const std::vector<ProfileLot> lots = {{"Infosys Limited", "NSE", "INFY", 0, 1500, 10, 1},
                                              {"Infosys Limited", "NSE", "INFY", 0, 1510.5, 5, 1}};
        for (const auto &lot : lots)
            QVERIFY(m_db.profile().insert(lot).ok());
        QVERIFY(refuse("SelectedComp2Watch", "INDEXNAME", "'BAD'"));
        QVERIFY(refuse("TRADES", "QUANTITY", "13"));

        const StoreStatus saved = m_db.watchList().save(
            {{"Tata Steel Limited", "NSE", "TATASTEEL"}, {"Bad", "NSE", "BAD"}});
        QVERIFY2(saved.error().find("value refused by test") != std::string::npos,
                 saved.error().c_str());
        QCOMPARE(m_db.watchList().load().value(), before);

        const auto replacement = lots.front();
        // The second lot changes in place, the third is new and refused: neither lands.
        const StoreStatus replaced =
            m_db.profile().replaceStock("INFY", 0,
                                        {replacement,
                                         {"Infosys Limited", "NSE", "INFY", 0, 2000, 7, 1},
                                         {"Infosys Limited", "NSE", "INFY", 0, 1, 13, 1}});
        QVERIFY(!replaced.ok());
        QVERIFY(!m_db.profile().insertLots({replacement, {"Bad", "NSE", "BAD", 0, 1, 13, 1}}).ok());
        QCOMPARE(m_db.profile().loadAll().value(), lots);

        // Brokers are found and edited by name.
        BrokerTable &brokers = m_db.brokers();
        QVERIFY(brokers.insert(broker("Sharekhan's Desk", 0.5)).ok());
        QVERIFY(brokers.insert(broker("Zerodha", 1)).ok());
        const auto all = brokers.loadAll().value();
        QCOMPARE(all.size(), 2u);
        QCOMPARE(all[0], broker("Sharekhan's Desk", 0.5, all[0].id));
        QCOMPARE(brokers.findByName("Sharekhan's Desk").value()->id, all[0].id);
        QVERIFY(!brokers.findByName("sharekhan's desk").value().has_value());

        // Renaming onto an existing name is allowed; each of the two is still edited on its own.
        QVERIFY(brokers.update(all[0].id, broker("Zerodha", 2)).value());
        QVERIFY(brokers.update(all[1].id, broker("Zerodha", 3)).value());
        QVERIFY(!brokers.update(all[1].id + 100, broker("Nobody", 3)).value());
        QCOMPARE(brokers.loadAll().value(),
                 (std::vector{broker("Zerodha", 2, all[0].id), broker("Zerodha", 3, all[1].id)}));

        // A dropped table is named in its errors. The futures choices are added, listed and
        // deleted in the futures panel's test.
        SelectedFuturesTable &chosen = m_db.selectedFutures();
        QVERIFY(raw("DROP TABLE SelectedFuture"));
        const auto loaded = chosen.load();
        QVERIFY2(loaded.error().find("SelectedFuture") != std::string::npos,
                 loaded.error().c_str());
        QVERIFY(!chosen.removeSymbol("INFY").ok());
    }
};

QTEST_GUILESS_MAIN(RecordSetsTest)
#include "recordsets_test.moc"
