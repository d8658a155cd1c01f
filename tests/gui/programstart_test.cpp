#include "platform/store/sqlitefile.h"
#include "support/immutablefolder.h"
#include "support/storetestbed.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The program as the user starts it: what it says about a company database it can't use and
// what it leaves of it, and --init-db without a display.
class ProgramStartTest : public QObject
{
    Q_OBJECT
    StoreTestBed m_bed;

    static QString program() { return qEnvironmentVariable("VANTREL_PROGRAM"); }

    // The /proc entry of the simulator (or gateway) the process started, if it runs.
    static QString simulatorOf(qint64 parent, const QString &name = QStringLiteral("vantrel-sim"))
    {
        const QRegularExpression child(
            QStringLiteral("^\\d+ \\(%1\\) \\S %2 ").arg(name).arg(parent));
        for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
            if (stat.open(QIODevice::ReadOnly) &&
                child.match(QString::fromLatin1(stat.readAll())).hasMatch())
                return QStringLiteral("/proc/") + pid;
        }
        return {};
    }

    // Every service named, so no simulator starts beside the program.
    static QStringList nowhere()
    {
        QStringList args;
        for (const char *option :
             {"--quote-url", "--chart-url", "--chartdata-url", "--exchange-url", "--lookup-url"})
            args << QString::fromLatin1(option) << QStringLiteral("http://127.0.0.1:9");
        return args;
    }

    // Starts the program on the offscreen platform, or with no display at all.
    static void launch(QProcess &vantrel, const QStringList &args, bool display = true,
                       const QProcessEnvironment &sources = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        if (display)
            env.insert("QT_QPA_PLATFORM", "offscreen");
        // A live run's gateway asks nobody outside the machine.
        for (const char *name :
             {"VANTREL_LIVE_CHART_URL", "VANTREL_LIVE_BATCH_URL", "VANTREL_LIVE_CRUMB_PAGE_URL",
              "VANTREL_LIVE_NSE_URL", "VANTREL_LIVE_BSE_URL"})
            env.insert(QString::fromLatin1(name), QStringLiteral("http://127.0.0.1:9"));
        env.insert(sources);
        // Each start its own settings: a --live run is remembered, and must not carry over.
        static QTemporaryDir settings;
        static int starts = 0;
        env.insert("XDG_CONFIG_HOME", settings.filePath(QString::number(++starts)));
        vantrel.setProcessEnvironment(env);
        vantrel.start(program(), args);
    }

    // A GET on loopback: the status and the body.
    static std::pair<int, QByteArray> fetch(const QByteArray &url)
    {
        QNetworkAccessManager network;
        QNetworkReply *reply = network.get(QNetworkRequest(QUrl::fromEncoded(url)));
        QEventLoop wait;
        QObject::connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
        QTimer::singleShot(20000, &wait, &QEventLoop::quit);
        wait.exec();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QByteArray body = reply->readAll();
        delete reply;
        return {status, body};
    }
    static QString labelOf(const QByteArray &gateway)
    {
        return QJsonDocument::fromJson(fetch(gateway + "/gateway/status").second)
            .object()
            .value(QLatin1String("label"))
            .toString();
    }
    // The lines of the gateway's access log that start with the prefix.
    static QList<QByteArray> logged(const QString &log, const QByteArray &prefix)
    {
        QFile file(log);
        QList<QByteArray> lines;
        if (file.open(QIODevice::ReadOnly))
            for (const QByteArray &line : file.readAll().split('\n'))
                if (line.startsWith(prefix))
                    lines << line;
        return lines;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!program().isEmpty(), "VANTREL_PROGRAM names the program under test");
        QVERIFY2(m_bed.setUp(), qPrintable(m_bed.errorText()));
    }

    void anUnusableDatabaseIsReportedOnceAndLeftAlone_data()
    {
        QTest::addColumn<bool>("garbage");
        QTest::addColumn<bool>("lockFolder");
        QTest::newRow("not a database") << true << false;
        QTest::newRow("read-only") << false << false;
        QTest::newRow("read-only folder") << false << true;
    }

    void anUnusableDatabaseIsReportedOnceAndLeftAlone()
    {
        QFETCH(bool, garbage);
        QFETCH(bool, lockFolder);
        const QString file =
            m_bed.path(QStringLiteral("start/%1/vantrel.db").arg(QTest::currentDataTag()));
        QDir().mkpath(QFileInfo(file).absolutePath());
        if (garbage) {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write("COMPNAME,NSENAME\nnot,one\n") > 0);
        } else {
            QVERIFY(initDatabase(resolveStoreConfig({}, file, {})).ok());
            if (!lockFolder)
                QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup));
        }
        ImmutableFolder locked(lockFolder ? QFileInfo(file).absolutePath() : QString());
        if (lockFolder && !locked.held())
            QSKIP(qPrintable("the folder can't be made immutable here: " + locked.errorText()));
        const QByteArray before = StoreTestBed::digest(file);
        const QFileDevice::Permissions permissions = QFile::permissions(file);

        QProcess vantrel;
        launch(vantrel, QStringList{"--no-splash", "--data-dir", m_bed.path("start/root"),
                                    "--database", file} +
                            nowhere());
        QVERIFY(vantrel.waitForStarted());
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += vantrel.readAllStandardError()).contains(file.toUtf8()),
                                 20000);
        // It runs on after saying so.
        QCOMPARE(vantrel.state(), QProcess::Running);
        QVERIFY2(said.contains("runs on without it"), said.constData());
        // Ended while its message is up, it still ends in order, and writes nothing on the way.
        vantrel.terminate();
        QVERIFY(vantrel.waitForFinished(20000));
        QCOMPARE(vantrel.exitCode(), 0);
        said += vantrel.readAllStandardError();
        QCOMPARE(said.count(file.toUtf8()), 1); // said once in the whole run

        QCOMPARE(QFile::permissions(file), permissions);
        QCOMPARE(StoreTestBed::digest(file), before);
        QVERIFY(!QFile::exists(m_bed.path("start/root/CompanyList.sqlite")));
    }

    // Told to stop, the program ends in order and takes the simulator (or, with --live, the
    // gateway) it started with it.
    void terminationStopsTheSimulatorToo_data()
    {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QString>("service");
        QTest::newRow("simulated") << QStringList() << QStringLiteral("vantrel-sim");
        QTest::newRow("live") << QStringList{"--live"} << QStringLiteral("vantrel-gateway");
    }

    void terminationStopsTheSimulatorToo()
    {
        QFETCH(QStringList, extra);
        QFETCH(QString, service);
        QProcess vantrel;
        launch(vantrel, QStringList{"--no-splash", "--data-dir", m_bed.path("signal")} + extra);
        QVERIFY(vantrel.waitForStarted());
        QString simulator;
        QTRY_VERIFY_WITH_TIMEOUT(!(simulator = simulatorOf(vantrel.processId(), service)).isEmpty(),
                                 20000);
        vantrel.terminate();
        QVERIFY(vantrel.waitForFinished(20000));
        QCOMPARE(vantrel.exitStatus(), QProcess::NormalExit);
        QCOMPARE(vantrel.exitCode(), 0);
        QVERIFY2(!QFile::exists(simulator), qPrintable(simulator));
    }

    // Started with --live against the replayed sources, the program's own quote request gets
    // the replayed prices, labelled by their own (old) date, never as live. Once the chart and
    // batch sources refuse, the kept prices still answer under that date, the end-of-day files
    // answer companies new to the gateway, and a symbol nothing is kept of answers 503.
    void liveRunFollowsItsSources()
    {
        QProcess sources, vantrel;
        // Ended in order even when a check fails, so the gateway goes with the program.
        const auto stop = qScopeGuard([&] {
            for (QProcess *process : {&vantrel, &sources}) {
                process->terminate();
                process->waitForFinished(20000);
            }
        });
        sources.start(qEnvironmentVariable("VANTREL_FAKESOURCES"), {"--port", "0"});
        QVERIFY(sources.waitForStarted());
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += sources.readAllStandardOutput()).count('\n') == 6, 20000);
        const QList<QByteArray> lines = said.trimmed().split('\n');
        const QByteArray control = "http://127.0.0.1:" + lines[0] + "/fake/control?";
        QProcessEnvironment env;
        for (const QByteArray &line : lines.mid(1))
            env.insert(QString::fromLatin1(line).section(u'=', 0, 0),
                       QString::fromLatin1(line).section(u'=', 1));

        // The gateway the program starts, on a port known here and with its requests logged.
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const QByteArray gateway = "http://127.0.0.1:" + QByteArray::number(probe.serverPort());
        const QString log = m_bed.path("live/access.log");
        const QString wrapper = m_bed.path("live/gateway.sh");
        QDir().mkpath(m_bed.path("live"));
        QFile script(wrapper);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nexec '%1/vantrel-gateway' \"$@\" --port %2 "
                                    "--access-log '%3'\n")
                         .arg(QFileInfo(program()).absolutePath())
                         .arg(probe.serverPort())
                         .arg(log)
                         .toUtf8());
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
        probe.close();
        env.insert(QStringLiteral("VANTREL_GATEWAY"), wrapper);

        launch(vantrel, {"--no-splash", "--data-dir", m_bed.path("live/root"), "--live"}, true,
               env);
        QVERIFY(vantrel.waitForStarted());
        QList<QByteArray> asked;
        QTRY_VERIFY_WITH_TIMEOUT(!(asked = logged(log, "/d/quotes.csv?")).isEmpty(), 30000);
        const QByteArray bar = asked.first();
        const auto [status, quotes] = fetch(gateway + bar);
        QCOMPARE(status, 200);
        QVERIFY2(quotes.contains("25112.40") && quotes.contains("82408.17"), quotes.constData());
        QCOMPARE(labelOf(gateway), QStringLiteral("END OF DAY 6/20/2025"));
        QTRY_VERIFY_WITH_TIMEOUT(!logged(log, "/gateway/status").isEmpty(), 30000);

        QCOMPARE(fetch(control + "chart=down&batch=down").first, 200);
        QCOMPARE(fetch(gateway + bar).first, 200);
        QTRY_COMPARE_WITH_TIMEOUT(fetch(gateway + "/d/quotes.csv?s=%5ENSEBANK&f=sl1").first, 503,
                                  60000);
        const auto [eodStatus, company] = fetch(gateway + "/d/quotes.csv?s=RELIANCE.NS&f=sl1d1t1");
        QCOMPARE(eodStatus, 200);
        QVERIFY2(company.contains("1910.00") && company.contains("6/20/2025") &&
                     company.contains("3:30PM"),
                 company.constData());
        QCOMPARE(labelOf(gateway), QStringLiteral("END OF DAY 6/20/2025"));
        // The program still asks, and is answered with the kept prices under their date.
        const int before = logged(log, "/d/quotes.csv?").size();
        QTRY_VERIFY_WITH_TIMEOUT(logged(log, "/d/quotes.csv?").size() > before, 60000);
        QCOMPARE(fetch(gateway + logged(log, "/d/quotes.csv?").last()).first, 200);

        vantrel.terminate();
        QVERIFY(vantrel.waitForFinished(20000));
        QCOMPARE(vantrel.exitCode(), 0);
    }

    void initDbPreparesAnEmptyDataSourceOnceWithoutADisplay()
    {
        QFile::remove(m_bed.odbcDatabaseFile());
        // Qt's window options, as a launcher may pass them, change nothing here.
        const QStringList args{"-platform", "offscreen", "--init-db", "--dsn",
                               QString::fromLatin1(StoreTestBed::DataSourceName)};
        QProcess first;
        launch(first, args, false);
        QVERIFY(first.waitForFinished(30000));
        const QByteArray done = first.readAllStandardOutput();
        QVERIFY2(first.exitStatus() == QProcess::NormalExit && first.exitCode() == 0,
                 first.readAllStandardError().constData());
        QVERIFY2(done.contains("Prepared the ODBC data source \"CompanyList\"") &&
                     done.contains("4795 companies") && done.contains("208 contracts"),
                 done.constData());
        QProcess second; // which tables it keeps is initDatabase's test
        launch(second, args, false);
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(second.exitCode(), 1);
        QVERIFY(second.readAllStandardError().contains("already has the tables"));

        QProcess help;
        launch(help, {"--help-all", "-style", "fusion"}, false);
        QVERIFY(help.waitForFinished(30000));
        QCOMPARE(help.exitCode(), 0);
        QVERIFY(help.readAllStandardOutput().contains("--init-db"));

        QProcess refused; // a command line it can't use is refused before any window
        launch(refused, {"--quote-url", "http://"}, false);
        QVERIFY(refused.waitForFinished(30000));
        QCOMPARE(refused.exitStatus(), QProcess::NormalExit);
        QCOMPARE(refused.exitCode(), 2);
        QVERIFY(refused.readAllStandardError().contains("--quote-url"));
    }

    void importTradesStoresOnceWithoutADisplay()
    {
        const QString database = m_bed.path("import/CompanyList.sqlite");
        const QString book = m_bed.path("tradebook.csv");
        QFile file(book);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\xEF\xBB\xBFsymbol,isin,trade_date,exchange,segment,series,trade_type,auction,"
                   "quantity,price,trade_id,order_id,order_execution_time\n"
                   "INFY,INE009A01021,2026-11-02,NSE,EQ,EQ,buy,false,10,1500,701,1,"
                   "2026-11-02T10:00:00\n"
                   "INFY,INE009A01021,2026-11-09,NSE,EQ,EQ,sell,false,15,1600,702,2,"
                   "2026-11-09T10:00:00\n");
        file.close();
        const auto run = [&](const QStringList &extra, int exitCode) {
            QProcess vantrel;
            launch(vantrel, QStringList{"--database", database, "--import-trades", book} + extra,
                   false);
            vantrel.waitForFinished(30000);
            const QByteArray out = vantrel.readAllStandardOutput() + vantrel.readAllStandardError();
            if (vantrel.exitCode() != exitCode)
                qWarning("%s", out.constData());
            return vantrel.exitCode() == exitCode ? out : QByteArray();
        };
        const QByteArray first = run({}, 0);
        QVERIFY2(first.contains("1 new, 0 already held, 1 refused") &&
                     first.contains("line 3 refused: it sells 15 INFY where 10 are held"),
                 first.constData());
        QVERIFY(run({}, 3).contains("0 new, 1 already held"));
        QVERIFY(run({"--broker", "Nobody"}, 2).contains("no broker named"));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write("Date,Symbol,Qty\n");
        file.close();
        QVERIFY(run({}, 3).contains("is not a tradebook"));
    }

    // Three financial years of trades, no broker (so no charges), and one lot bought before
    // February 2018 whose 31 January 2018 value nobody gave. By hand, for 2024-25:
    // INFY 6 of the 10 bought 01-Jun-2023 at 1,000, sold 01-Jul-2024 at 1,500: long-term +3,000
    // before 23 July; TCS 5 bought 03-Jul-2023 at 3,000, sold 01-Aug-2024 at 2,800: long-term
    // -1,000 from 23 July; SBIN 100 bought 02-Sep-2024 at 600, sold 06-Jan-2025 at 650:
    // short-term +5,000 from 23 July. Long-term nets to 2,000, within the exemption: tax is
    // 20% of 5,000 = 1,000. HDFCBANK is listed but left out of every total.
    void exportGainsWritesAYearsReportWithoutADisplay()
    {
        const QString database = m_bed.path("gains/CompanyList.sqlite");
        const QString book = m_bed.path("gains-tradebook.csv");
        QFile file(book);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const auto row = [](const char *symbol, const char *isin, const char *date,
                            const char *side, int quantity, int price, int id) {
            return QStringLiteral("%1,%2,%3,NSE,EQ,EQ,%4,false,%5,%6,%7,%7,%3T10:00:00\n")
                .arg(QLatin1String(symbol), QLatin1String(isin), QLatin1String(date),
                     QLatin1String(side))
                .arg(quantity)
                .arg(price)
                .arg(id)
                .toLatin1();
        };
        file.write("symbol,isin,trade_date,exchange,segment,series,trade_type,auction,"
                   "quantity,price,trade_id,order_id,order_execution_time\n");
        file.write(row("HDFCBANK", "INE040A01034", "2017-12-01", "buy", 10, 900, 801));
        file.write(row("INFY", "INE009A01021", "2023-06-01", "buy", 10, 1000, 802));
        file.write(row("TCS", "INE467B01029", "2023-07-03", "buy", 5, 3000, 803));
        file.write(row("INFY", "INE009A01021", "2024-02-01", "sell", 4, 1200, 804));
        file.write(row("INFY", "INE009A01021", "2024-07-01", "sell", 6, 1500, 805));
        file.write(row("TCS", "INE467B01029", "2024-08-01", "sell", 5, 2800, 806));
        file.write(row("SBIN", "INE062A01020", "2024-09-02", "buy", 100, 600, 807));
        file.write(row("HDFCBANK", "INE040A01034", "2024-10-01", "sell", 10, 1700, 808));
        file.write(row("SBIN", "INE062A01020", "2025-01-06", "sell", 100, 650, 809));
        file.write(row("SBIN", "INE062A01020", "2025-05-05", "buy", 50, 700, 810));
        file.write(row("SBIN", "INE062A01020", "2025-06-02", "sell", 50, 680, 811));
        file.close();

        const auto run = [&](const QStringList &args, int exitCode) {
            QProcess vantrel;
            launch(vantrel, QStringList{"--database", database} + args, false);
            vantrel.waitForFinished(30000);
            const QByteArray out = vantrel.readAllStandardOutput();
            const QByteArray err = vantrel.readAllStandardError();
            if (vantrel.exitCode() != exitCode)
                qWarning("%s%s", out.constData(), err.constData());
            return vantrel.exitCode() == exitCode ? out + err : QByteArray("wrong exit code");
        };
        QVERIFY(run({"--import-trades", book}, 0).contains("Stored 11 new trades."));
        for (const char *year : {"2023-24", "2024-25", "2025-26"})
            QVERIFY(run({"--export-gains", QLatin1String(year), m_bed.path(year)}, 0)
                        .contains("Written to"));

        const QByteArray said =
            run({"--export-gains", "2024-25", m_bed.path("gains-2024-25.csv")}, 0);
        QVERIFY2(said.contains("1 left out of the totals"), said.constData());
        QFile report(m_bed.path("gains-2024-25.csv"));
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QByteArray csv = report.readAll();
        for (const char *line :
             {"INFY,01-Jun-2023,01-Jul-2024,6,6000.00,6000.00,9000.00,3000.00,Long-term\n",
              "HDFCBANK,01-Dec-2017,01-Oct-2024,10,9000.00,,17000.00,,",
              "Short-term gains before 23-Jul-2024,0.00\n",
              "Long-term gains before 23-Jul-2024,3000.00\n",
              "Short-term gains from 23-Jul-2024,5000.00\n", "Long-term exemption used,2000.00\n",
              "Total tax,,,1000.00\n"})
            QVERIFY2(csv.contains(line), line);
        QFile earlier(m_bed.path("2023-24.csv"));
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QVERIFY(earlier.readAll().contains("Short-term gains,800.00\n"));

        QVERIFY(run({"--export-gains", "2024-2025", m_bed.path("x")}, 2).contains("2024-2025"));
        QVERIFY(!QFile::exists(m_bed.path("x.csv")));
        // A folder in place of the database file: nothing to report from, and it says so.
        QVERIFY(QDir().mkpath(m_bed.path("notafile.sqlite")));
        QProcess unusable;
        launch(unusable,
               {"--database", m_bed.path("notafile.sqlite"), "--export-gains", "2024-25",
                m_bed.path("y")},
               false);
        QVERIFY(unusable.waitForFinished(30000));
        QCOMPARE(unusable.exitCode(), 3);
        QVERIFY(unusable.readAllStandardError().contains("Nothing was written"));
        QVERIFY(!QFile::exists(m_bed.path("y.csv")));
    }
};

QTEST_GUILESS_MAIN(ProgramStartTest)
#include "programstart_test.moc"
