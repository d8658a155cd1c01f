#include "support/storetestbed.h"

#include <QFile>
#include <QSqlQuery>
#include <QTest>

#include <algorithm>
#include <set>

Q_DECLARE_METATYPE(StoreBackend)

// The company list's statements, run once on the SQLite file and once through ODBC.
class CompanyListsetTest : public QObject
{
    Q_OBJECT

private:
    StoreTestBed m_bed;
    CompanyDatabase m_db{QStringLiteral("companylist-test")};
    std::vector<CompanyRow> m_shipped;

    CCompanyListset &companies() { return m_db.companyList(); }
    bool raw(const QString &sql) { return QSqlQuery(m_db.connection().database()).exec(sql); }

    // The search done by hand over the shipped list: what the database must answer.
    std::vector<CompanyRow> expected(const std::string &part, Exchange exchange) const
    {
        const auto lower = [](std::string s) {
            std::transform(s.begin(), s.end(), s.begin(),
                           [](unsigned char c) { return char(std::tolower(c)); });
            return s;
        };
        std::vector<CompanyRow> rows;
        for (const auto &row : m_shipped)
            if (!row.symbol(exchange).empty() &&
                lower(row.name).find(lower(part)) != std::string::npos)
                rows.push_back(row);
        std::stable_sort(rows.begin(), rows.end(),
                         [](const auto &a, const auto &b) { return a.name < b.name; });
        return rows;
    }

private slots:
    void initTestCase_data()
    {
        QTest::addColumn<StoreBackend>("backend");
        QTest::newRow("sqlite") << StoreBackend::Sqlite;
        QTest::newRow("odbc") << StoreBackend::Odbc;
    }

    void initTestCase()
    {
        QVERIFY2(m_bed.setUp(), qPrintable(m_bed.errorText()));
        QFile csv(qEnvironmentVariable("VANTREL_SOURCE_DIR") +
                  QStringLiteral("/data/companylist.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        csv.readLine();
        while (!csv.atEnd()) {
            const QList<QByteArray> f = csv.readLine().trimmed().split(',');
            m_shipped.push_back({f[0].toStdString(), f[1].toStdString(), f[2].toStdString()});
        }
    }

    void init()
    {
        QFETCH_GLOBAL(StoreBackend, backend);
        QVERIFY2(m_bed.recreate(backend, m_db), qPrintable(m_bed.errorText()));
    }

    void searchFindsWhatTheListHolds_data()
    {
        QTest::addColumn<QString>("part");
        QTest::newRow("lower case") << QStringLiteral("ree");
        QTest::newRow("upper case") << QStringLiteral("BANK");
        QTest::newRow("apostrophe") << QStringLiteral("dr. reddy's");
        QTest::newRow("nothing") << QStringLiteral("zzqx");
    }

    void searchFindsWhatTheListHolds()
    {
        QFETCH(QString, part);
        for (Exchange exchange : {Exchange::Nse, Exchange::Bse}) {
            const auto found = companies().searchByName(part.toStdString(), exchange);
            QVERIFY2(found.ok(), found.error().c_str());
            const auto want = expected(part.toStdString(), exchange);
            QCOMPARE(found.value().size(), want.size());
            // Equal names (ordinary and DVR shares) may come in either order.
            std::multiset<std::string> got, wanted;
            for (std::size_t i = 0; i < want.size(); ++i) {
                QCOMPARE(found.value()[i].name, want[i].name);
                got.insert(found.value()[i].symbol(exchange));
                wanted.insert(want[i].symbol(exchange));
            }
            QVERIFY(got == wanted);
        }
    }

    void notListedIsNullOrEmpty()
    {
        QVERIFY(raw(QStringLiteral("INSERT INTO CompanyList (COMPNAME, NSENAME, BSENAME) "
                                   "VALUES ('Qwerty Empty Limited', '', '990001')")));
        QVERIFY(companies().insert({"Qwerty Null Limited", "", "990002"}).ok());
        QVERIFY(companies().insert({"Qwerty Nse Limited", "QWERTYN", ""}).ok());

        QCOMPARE(companies().searchByName("qwerty", Exchange::Bse).value().size(), 2u);
        const auto nse = companies().searchByName("qwerty", Exchange::Nse).value();
        QCOMPARE(nse.size(), 1u);
        QCOMPARE(nse.front(), (CompanyRow{"Qwerty Nse Limited", "QWERTYN", ""}));
        QCOMPARE(companies().listedOn(Exchange::Nse).value().size(), 2388u);
        QCOMPARE(companies().listedOn(Exchange::Bse).value().size(), 4668u);
    }

    void typedCharactersStandForThemselves()
    {
        for (const char *name :
             {"100% Pure Oils Limited", "1000 Pure Oils Limited", "Best_Choice Limited",
              "BestXChoice Limited", "Yes!Go Limited", "Yes Go Limited"})
            QVERIFY(companies().insert({name, "X", "1"}).ok());
        const auto names = [&](const char *part) {
            std::vector<std::string> out;
            for (const auto &row : companies().searchByName(part, Exchange::Nse).value())
                out.push_back(row.name);
            return out;
        };
        QCOMPARE(names("0% P"), std::vector<std::string>{"100% Pure Oils Limited"});
        QCOMPARE(names("t_C"), std::vector<std::string>{"Best_Choice Limited"});
        QCOMPARE(names("s!G"), std::vector<std::string>{"Yes!Go Limited"});
        QCOMPARE(names("'s Lab"), (std::vector<std::string>{"Divi's Laboratories Limited",
                                                            "Dr. Reddy's Laboratories Limited"}));
    }

    void symbolPresenceIsPerExchangeAndExact()
    {
        QVERIFY(companies().hasSymbol(Exchange::Nse, "RELIANCE").value());
        QVERIFY(!companies().hasSymbol(Exchange::Bse, "RELIANCE").value());
        QVERIFY(companies().hasSymbol(Exchange::Bse, "500325").value());
        QVERIFY(!companies().hasSymbol(Exchange::Nse, "reliance").value());
        const auto quoted = companies().hasSymbol(Exchange::Nse, "DR'LAB");
        QVERIFY2(quoted.ok(), quoted.error().c_str());
        QVERIFY(!quoted.value());
    }
};

QTEST_GUILESS_MAIN(CompanyListsetTest)
#include "companylistset_test.moc"
