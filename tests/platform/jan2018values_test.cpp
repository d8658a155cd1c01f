#include "platform/store/schemaversion.h"
#include "platform/store/sqlitefile.h"
#include "support/storetestbed.h"

#include <QFile>
#include <QSqlQuery>
#include <QTest>

// The 31 January 2018 values a user gives are kept per company in a table that a database of
// the trade book's first release gains on opening; its undated buys can then be given dates.
class Jan2018ValuesTest : public QObject
{
    Q_OBJECT

private:
    StoreTestBed m_bed;
    int m_copies = 0;

    // Four undated buys (RELIANCE twice, INFY, SBIN intraday), brokers 1 and 2.
    QString versionTwoCopy()
    {
        const QString copy = m_bed.path(QStringLiteral("v2-%1.sqlite").arg(++m_copies));
        QFile::copy(QStringLiteral(VANTREL_STORE_FIXTURES "/release-v2.sqlite"), copy);
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        return copy;
    }

    static bool run(const QString &file, const QString &sql)
    {
        TemporaryConnection raw(QStringLiteral("QSQLITE"), file);
        QSqlDatabase db = raw.database();
        QSqlQuery query(db);
        return db.open() && query.exec(sql);
    }

private slots:
    void initTestCase() { QVERIFY2(m_bed.setUp(), qPrintable(m_bed.errorText())); }

    void valuesAreKeptPerCompanyAfterTheUpgrade()
    {
        const QString file = versionTwoCopy();
        {
            CompanyDatabase db(QStringLiteral("v2"));
            const StoreStatus opened = db.open(resolveStoreConfig({}, file, {}));
            QVERIFY2(opened.ok(), opened.error().c_str());
            QCOMPARE(storedSchemaVersion(db.connection()).value(), currentSchemaVersion());
            QCOMPARE(db.trades().loadAll().value().size(), 4u);
            QVERIFY(db.jan2018Values().loadAll().value().empty());

            QVERIFY(db.jan2018Values().setAll({{"RELIANCE", 1000.5}, {"INFY", 1150}}).ok());
            // A second answer for a company replaces the first; the others stay.
            QVERIFY(db.jan2018Values().setAll({{"INFY", 1160.25}}).ok());
        }
        CompanyDatabase again(QStringLiteral("v2-again"));
        QVERIFY(again.open(resolveStoreConfig({}, file, {})).ok());
        const Jan2018Values expected{{"INFY", 1160.25}, {"RELIANCE", 1000.5}};
        QCOMPARE(again.jan2018Values().loadAll().value(), expected);
    }

    // The upgrade is one transaction: when its step fails, the file stays at version 2 with
    // its trades.
    void aFailedUpgradeLeavesTheFileAsItWas()
    {
        const QString file = versionTwoCopy();
        QVERIFY(run(file, QStringLiteral("CREATE TABLE JAN2018VALUE (X INTEGER)")));
        const QByteArray before = StoreTestBed::digest(file);
        {
            CompanyDatabase db(QStringLiteral("v2-clash"));
            QVERIFY(!db.open(resolveStoreConfig({}, file, {})).ok());
            QVERIFY(!db.isOpen());
        }
        QCOMPARE(StoreTestBed::digest(file), before);
    }

    // The lot dialog hands the lots back with their dates: an undated buy takes the date in
    // place, keeping its trade.
    void anUndatedBuyCanBeGivenItsDate()
    {
        const QString file = versionTwoCopy();
        CompanyDatabase db(QStringLiteral("v2-dated"));
        QVERIFY(db.open(resolveStoreConfig({}, file, {})).ok());
        const std::string reliance = "RELIANCE INDUSTRIES LIMITED";
        QVERIFY(db.profile()
                    .replaceStock("RELIANCE", 0,
                                  {{reliance, "NSE", "RELIANCE", 0, 1250.5, 10, 1, "2017-05-02"},
                                   {reliance, "NSE", "RELIANCE", 0, 1300.25, 4, 1, ""}})
                    .ok());
        const std::vector<Trade> trades = db.trades().loadAll().value();
        QCOMPARE(trades.size(), 4u);
        QCOMPARE(trades[0].id, 1L);
        QCOMPARE(trades[0].date, std::string("2017-05-02"));
        QCOMPARE(trades[2].date, std::string());
    }
};

QTEST_GUILESS_MAIN(Jan2018ValuesTest)
#include "jan2018values_test.moc"
