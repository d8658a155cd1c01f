#include "platform/store/sqlitefile.h"
#include "support/immutablefolder.h"
#include "support/storetestbed.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTest>

// Opening the company database: first start, later starts, files and data sources that
// can't be used, and preparing a data source.
class CompanyDatabaseTest : public QObject
{
    Q_OBJECT

private:
    StoreTestBed m_bed;

    static qlonglong count(CompanyDatabase &db, const QString &sql)
    {
        QSqlQuery query(db.connection().database());
        return query.exec(sql) && query.next() ? query.value(0).toLongLong() : -1;
    }
    // Everything a shipped list promises, checked through the record classes.
    static void verifySeed(CompanyDatabase &db)
    {
        QCOMPARE(db.companyList().listedOn(Exchange::Nse).value().size(), 2387u);
        QCOMPARE(db.companyList().listedOn(Exchange::Bse).value().size(), 4666u);
        QCOMPARE(count(db, "SELECT COUNT(*) FROM CompanyList"), 4795);
        QCOMPARE(count(db, "SELECT COUNT(*) FROM CompanyList WHERE BSENAME IS NULL"), 129);
        const auto futures = db.futures().loadAll().value();
        QCOMPARE(futures.size(), 208u);
        QCOMPARE(futures.front(), (FutureRow{"360 ONE WAM LIMITED", "360ONE"}));
    }

private slots:
    void initTestCase() { QVERIFY2(m_bed.setUp(), qPrintable(m_bed.errorText())); }

    void firstStartCreatesAndSeedsTheFile()
    {
        const QString file = m_bed.path("first/deeper/CompanyList.sqlite");
        CompanyDatabase db("first");
        const StoreStatus opened = db.open(resolveStoreConfig({}, file, {}));
        QVERIFY2(opened.ok(), opened.error().c_str());
        verifySeed(db);
        QVERIFY(!QFile::exists(file + QStringLiteral(".part")));
    }

    void anExistingDatabaseIsNeverReseeded()
    {
        const StoreConfig config = resolveStoreConfig({}, {}, m_bed.path("again"));
        {
            CompanyDatabase db("again");
            QVERIFY(db.open(config).ok());
            QVERIFY(db.companyList().insert({"Vantrel Test Limited", "VTEST", ""}).ok());
        }
        const StoreStatus refused = initDatabase(config);
        QVERIFY(!refused.ok());
        QVERIFY(QString::fromStdString(refused.error())
                    .contains(QDir::toNativeSeparators(config.databaseFile)));

        CompanyDatabase db("again");
        QVERIFY(db.open(config).ok());
        QCOMPARE(count(db, "SELECT COUNT(*) FROM CompanyList"), 4796);
        QVERIFY(db.companyList().hasSymbol(Exchange::Nse, "VTEST").value());
    }

    void unusableFilesAreReportedAndLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("tables"); // made with sqlite when content is empty
        QTest::addColumn<int>("permissions");
        QTest::addColumn<bool>("initRefused"); // an unrelated database may be given our tables
        QTest::addColumn<bool>("lockFolder");  // no new file in its folder, even for root
        const int readWrite = int(QFile::ReadOwner | QFile::WriteOwner);
        QTest::newRow("not a database") << QByteArray("COMPNAME,NSENAME\nnot,a database\n")
                                        << QString() << readWrite << true << false;
        QTest::newRow("read-only")
            << QByteArray() << QStringLiteral("all") << int(QFile::ReadOwner) << true << false;
        QTest::newRow("unreadable") << QByteArray() << QStringLiteral("all") << 0 << true << false;
        QTest::newRow("read-only folder")
            << QByteArray() << QStringLiteral("all") << readWrite << true << true;
        QTest::newRow("someone else's")
            << QByteArray() << QStringLiteral("Notes") << readWrite << false << false;
        QTest::newRow("tables missing")
            << QByteArray() << QStringLiteral("CompanyList") << readWrite << true << false;
    }

    void unusableFilesAreReportedAndLeftAlone()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, tables);
        QFETCH(int, permissions);
        QFETCH(bool, initRefused);
        QFETCH(bool, lockFolder);
        const QString file =
            m_bed.path(QStringLiteral("bad/%1/CompanyList.sqlite").arg(QTest::currentDataTag()));
        QDir().mkpath(QFileInfo(file).absolutePath());
        if (tables == QLatin1String("all")) {
            QVERIFY(initDatabase(resolveStoreConfig({}, file, {})).ok());
        } else if (!tables.isEmpty()) {
            TemporaryConnection maker("QSQLITE", file);
            QVERIFY(maker.database().open());
            QVERIFY(QSqlQuery(maker.database())
                        .exec(QStringLiteral("CREATE TABLE %1 (A INTEGER)").arg(tables)));
        } else {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(content) == content.size());
        }
        QVERIFY(QFile::setPermissions(file, QFile::Permissions(permissions)));
        const QByteArray before =
            (QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner),
             StoreTestBed::digest(file));
        QVERIFY(QFile::setPermissions(file, QFile::Permissions(permissions)));
        // Permission bits don't stop root; an immutable folder stops everyone.
        ImmutableFolder locked(lockFolder ? QFileInfo(file).absolutePath() : QString());
        if (lockFolder && !locked.held())
            QSKIP(qPrintable("the folder can't be made immutable here: " + locked.errorText()));

        CompanyDatabase db("bad");
        const StoreStatus opened = db.open(resolveStoreConfig({}, file, {}));
        QVERIFY(!opened.ok());
        QVERIFY2(QString::fromStdString(opened.error()).contains(QDir::toNativeSeparators(file)),
                 opened.error().c_str());
        QVERIFY(!db.isOpen());
        // The program runs on with empty lists, and nothing it does reaches the file. A search
        // says why it finds nothing.
        const auto found = db.companyList().searchByName("Limited", Exchange::Nse);
        QVERIFY(!found.ok());
        QVERIFY(QString::fromStdString(found.error())
                    .startsWith(QString::fromStdString(opened.error()) +
                                QStringLiteral("\n\nVantrel runs on")));
        const StoreStatus saved = db.watchList().save({{"Infosys Limited", "NSE", "INFY"}});
        QCOMPARE(saved.error(), opened.error());
        if (initRefused)
            QVERIFY(!initDatabase(resolveStoreConfig({}, file, {})).ok());

        QCOMPARE(QFile::permissions(file) & 0x7077, QFile::Permissions(permissions));
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(StoreTestBed::digest(file), before);
    }

    void aDataSourceIsPreparedOnceThenOpened()
    {
        CompanyDatabase missing("missing");
        const StoreStatus none = missing.open(resolveStoreConfig("NoSuchSource", {}, {}));
        QVERIFY2(QString::fromStdString(none.error()).contains(QLatin1String("\"NoSuchSource\"")),
                 none.error().c_str());
        QVERIFY(!missing.selectedFutures().insert({"Infosys Limited", "INFY"}).ok());

        QFile::remove(m_bed.odbcDatabaseFile());
        const StoreConfig config = m_bed.config(StoreBackend::Odbc);
        CompanyDatabase db("odbc");
        StoreStatus opened = db.open(config);
        QVERIFY(!opened.ok());
        QVERIFY2(QString::fromStdString(opened.error()).contains(QLatin1String("--init-db")),
                 opened.error().c_str());

        const StoreStatus prepared = initDatabase(config);
        QVERIFY2(prepared.ok(), prepared.error().c_str());
        opened = db.open(config);
        QVERIFY2(opened.ok(), opened.error().c_str());
        verifySeed(db);
        QVERIFY(db.watchList().insert({"Infosys Limited", "NSE", "INFY"}).ok());

        const StoreStatus again = initDatabase(config);
        QVERIFY(!again.ok());
        QVERIFY(QString::fromStdString(again.error()).contains(QLatin1String("\"CompanyList\"")));
        QCOMPARE(db.watchList().load().value().size(), 1u);
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
        QCOMPARE(resolveStoreConfig({}, "/data/my.db", "/tmp/v").databaseFile,
                 QStringLiteral("/data/my.db"));
    }
};

QTEST_GUILESS_MAIN(CompanyDatabaseTest)
#include "companydatabase_test.moc"
