#include "platform/store/schemaversion.h"
#include "platform/store/sqlitefile.h"
#include "support/storetestbed.h"

#include <QFile>
#include <QSqlQuery>
#include <QTest>

// The schema's version: a file of the release before versioning is brought up to date with
// everything in it, and a newer one is refused untouched.
class SchemaVersionTest : public QObject
{
    Q_OBJECT

private:
    StoreTestBed m_bed;
    int m_copies = 0;

    // A copy of the release file: two brokers, four lots of three stocks, a watch list of two.
    QString releaseCopy()
    {
        const QString copy = m_bed.path(QStringLiteral("release-%1.sqlite").arg(++m_copies));
        const bool copied =
            QFile::copy(QStringLiteral(VANTREL_STORE_FIXTURES "/release-unversioned.sqlite"), copy);
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        return copied ? copy : QString();
    }

    static bool setSqliteVersion(const QString &file, int version)
    {
        TemporaryConnection raw(QStringLiteral("QSQLITE"), file);
        QSqlDatabase db = raw.database();
        QSqlQuery query(db);
        return db.open() && query.exec(QStringLiteral("PRAGMA user_version = %1").arg(version));
    }

private slots:
    void initTestCase() { QVERIFY2(m_bed.setUp(), qPrintable(m_bed.errorText())); }

    void aReleaseFileIsUpgradedWithoutLoss()
    {
        const QString file = releaseCopy();
        QVERIFY(!file.isEmpty());
        {
            CompanyDatabase db(QStringLiteral("release"));
            const StoreStatus opened = db.open(resolveStoreConfig({}, file, {}));
            QVERIFY2(opened.ok(), opened.error().c_str());
            QCOMPARE(storedSchemaVersion(db.connection()).value(), currentSchemaVersion());

            const auto brokers = db.brokers().loadAll().value();
            QCOMPARE(brokers.size(), 2u);
            QCOMPARE(brokers[1].rates[IntradaySellSTT], 0.025);

            const std::vector<ProfileLot> lots = db.profile().loadAll().value();
            const std::string reliance = "RELIANCE INDUSTRIES LIMITED";
            const std::vector<ProfileLot> expected = {
                {reliance, "NSE", "RELIANCE", 0, 1250.5, 10, 1},
                {"INFOSYS LIMITED", "NSE", "INFY", 0, 1500, 5, 2},
                {reliance, "NSE", "RELIANCE", 0, 1300.25, 4, 1},
                {"STATE BANK OF INDIA", "NSE", "SBIN", 1, 800.05, 100, 2}};
            QCOMPARE(lots, expected);

            const auto watch = db.watchList().load().value();
            QCOMPARE(watch.size(), 2u);
            QCOMPARE(watch[1], (WatchRow{"HDFC BANK LIMITED", "NSE", "HDFCBANK", 1, 1500, 1800}));
            QCOMPARE(db.companyList().listedOn(Exchange::Nse).value().size(), 5u);
        }
        // Opened again, an up-to-date file is left as it is.
        const QByteArray before = StoreTestBed::digest(file);
        CompanyDatabase again(QStringLiteral("release-again"));
        QVERIFY(again.open(resolveStoreConfig({}, file, {})).ok());
        again.close();
        QCOMPARE(StoreTestBed::digest(file), before);
    }

    void aNewerFileIsRefusedAndNeverWritten()
    {
        const QString file = releaseCopy();
        QVERIFY(setSqliteVersion(file, currentSchemaVersion() + 1));
        const QByteArray before = StoreTestBed::digest(file);

        CompanyDatabase db(QStringLiteral("newer"));
        const StoreStatus opened = db.open(resolveStoreConfig({}, file, {}));
        QVERIFY(!opened.ok());
        QVERIFY2(QString::fromStdString(opened.error()).contains("newer version of Vantrel"),
                 opened.error().c_str());
        QVERIFY(!db.isOpen());
        QVERIFY(!db.watchList().save({{"TCS LIMITED", "NSE", "TCS", 0, 0, 0}}).ok());
        db.close();
        QCOMPARE(StoreTestBed::digest(file), before);
    }

    void aNewerDataSourceIsRefused()
    {
        {
            CompanyDatabase db(QStringLiteral("odbc-newer"));
            QVERIFY2(m_bed.recreate(StoreBackend::Odbc, db), qPrintable(m_bed.errorText()));
            QVERIFY(db.connection()
                        .run(QStringLiteral("UPDATE SCHEMAVERSION SET VERSION = ?"),
                             {currentSchemaVersion() + 1})
                        .ok());
        }
        CompanyDatabase db(QStringLiteral("odbc-newer"));
        const StoreStatus opened = db.open(m_bed.config(StoreBackend::Odbc));
        QVERIFY(!opened.ok());
        QVERIFY(QString::fromStdString(opened.error()).contains("newer version of Vantrel"));
    }
};

QTEST_GUILESS_MAIN(SchemaVersionTest)
#include "schemaversion_test.moc"
