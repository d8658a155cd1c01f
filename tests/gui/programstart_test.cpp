#include "support/storetestbed.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

// The built program as the user starts it, with a display and without.
class ProgramStartTest : public QObject
{
    Q_OBJECT
    StoreTestBed m_bed;

    static QString program() { return qEnvironmentVariable("VANTREL_PROGRAM"); }

    // Starts the program on the offscreen platform, or with no display at all.
    static void launch(QProcess &vantrel, const QStringList &args, bool display = true,
                       const QProcessEnvironment &sources = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        if (display)
            env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert(sources); // a live run's gateway asks only the replayed sources
        // Each start its own settings: a --live run is remembered, and must not carry over.
        static QTemporaryDir settings;
        static int starts = 0;
        env.insert("XDG_CONFIG_HOME", settings.filePath(QString::number(++starts)));
        vantrel.setProcessEnvironment(env);
        vantrel.start(program(), args);
    }

    // The program run with no display to its end; a code of -1 when it did not end in order.
    struct Run
    {
        int code;
        QByteArray out, err;
    };
    static Run run(const QStringList &args)
    {
        QProcess vantrel;
        launch(vantrel, args, false);
        const bool ended = vantrel.waitForFinished(30000);
        return {ended && vantrel.exitStatus() == QProcess::NormalExit ? vantrel.exitCode() : -1,
                vantrel.readAllStandardOutput(), vantrel.readAllStandardError()};
    }
    static bool says(const Run &r, int code, const char *text)
    {
        const bool ok = r.code == code && (r.out + r.err).contains(text);
        if (!ok)
            qWarning("exit %d, wanted %d and \"%s\":\n%s%s", r.code, code, text, r.out.constData(),
                     r.err.constData());
        return ok;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!program().isEmpty(), "VANTREL_PROGRAM names the program under test");
        QVERIFY2(m_bed.setUp(), qPrintable(m_bed.errorText()));
    }

    // Started with --live against the replayed sources, the program's own quote request reaches
    // the gateway it started, and the program asks it for the label its prices go by. What the
    // gateway answers, and how it falls back when sources fail, is the gateway tests'. An
    // unusable database (which files are, and that the database layer leaves them alone, is the
    // database's own test) is said once, and it runs on. Told to stop, it ends in order and
    // takes the gateway it started with it.
    void liveRunFollowsItsSourcesAndRunsOnWithoutItsDatabase()
    {
        const QString file = m_bed.path(QStringLiteral("live/vantrel.db"));
        QDir().mkpath(QFileInfo(file).absolutePath());
        QVERIFY(initDatabase(resolveStoreConfig({}, file, {})).ok());
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup));
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
        QProcessEnvironment env;
        for (const QByteArray &line : said.trimmed().split('\n').mid(1))
            env.insert(QString::fromLatin1(line).section(u'=', 0, 0),
                       QString::fromLatin1(line).section(u'=', 1));

        // The gateway the program starts, on a port known here and with its requests logged.
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const QString log = m_bed.path("live/access.log");
        const QString wrapper = m_bed.path("live/gateway.sh");
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

        launch(vantrel,
               {"--no-splash", "--data-dir", m_bed.path("live/root"), "--live", "--database", file},
               true, env);
        QVERIFY(vantrel.waitForStarted());
        said.clear();
        QTRY_VERIFY_WITH_TIMEOUT((said += vantrel.readAllStandardError()).contains(file.toUtf8()),
                                 20000);
        // It runs on after saying so.
        QVERIFY2(said.contains("runs on without it"), said.constData());
        // Each line of the access log starts with the path asked for.
        const auto asked = [&log](const char *path) {
            QFile logged(log);
            return logged.open(QIODevice::ReadOnly) &&
                   ("\n" + logged.readAll()).contains("\n" + QByteArray(path));
        };
        QTRY_VERIFY_WITH_TIMEOUT(asked("/d/quotes.csv?"), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(asked("/gateway/status"), 30000);
        // The /proc entry of the gateway it started.
        QString gateway;
        const QRegularExpression child(
            QStringLiteral("^\\d+ \\(vantrel-gateway\\) \\S %1 ").arg(vantrel.processId()));
        for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
            if (stat.open(QIODevice::ReadOnly) &&
                child.match(QString::fromLatin1(stat.readAll())).hasMatch())
                gateway = QStringLiteral("/proc/") + pid;
        }
        QVERIFY(!gateway.isEmpty());
        // Ended while its message is up, it still ends in order.
        vantrel.terminate();
        QVERIFY(vantrel.waitForFinished(20000) && vantrel.exitStatus() == QProcess::NormalExit);
        QCOMPARE(vantrel.exitCode(), 0);
        QVERIFY2(!QFile::exists(gateway), qPrintable(gateway));
        said += vantrel.readAllStandardError();
        QCOMPARE(said.count(file.toUtf8()), 1); // said once in the whole run
    }

    void withoutADisplayItPreparesTheDataSourceImportsAndExports()
    {
        QFile::remove(m_bed.odbcDatabaseFile());
        // Qt's window options, as a launcher may pass them, change nothing here.
        const QStringList args{"-platform", "offscreen", "--init-db", "--dsn",
                               QString::fromLatin1(StoreTestBed::DataSourceName)};
        const Run first = run(args);
        QVERIFY2(first.code == 0, first.err.constData());
        for (const char *text :
             {"Prepared the ODBC data source \"CompanyList\"", "4795 companies", "208 contracts"})
            QVERIFY2(first.out.contains(text), first.out.constData());
        const Run second = run(args); // which tables it keeps is initDatabase's test
        QVERIFY(second.code == 1 && second.err.contains("already has the tables"));
        const Run help = run({"--help-all", "-style", "fusion"});
        QVERIFY(help.code == 0 && help.out.contains("--init-db"));
        // A command line it can't use is refused before any window.
        const Run refused = run({"--quote-url", "http://"});
        QVERIFY(refused.code == 2 && refused.err.contains("--quote-url"));

        // Installed without its module, the program says what is missing and ends.
        QTemporaryDir alone;
        QVERIFY(QFile::copy(program(), alone.filePath("vantrel")));
        QProcess vantrel;
        vantrel.start(alone.filePath("vantrel"), {"--init-db", "--data-dir", alone.filePath("d")});
        QVERIFY(vantrel.waitForFinished(30000));
        QCOMPARE(vantrel.exitCode(), 1);
        QVERIFY(vantrel.readAllStandardError().contains("module vantrel-bar could not be loaded"));
        QVERIFY(!QFile::exists(alone.filePath("d")));

        // Trades imported, and the year's gains exported, from a tradebook.
        const QStringList db{"--database", m_bed.path("import/CompanyList.sqlite")};
        const QString book = m_bed.path("tradebook.csv");
        QFile file(book);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\xEF\xBB\xBFsymbol,isin,trade_date,exchange,segment,series,trade_type,auction,"
                   "quantity,price,trade_id,order_id,order_execution_time\n"
                   "INFY,INE009A01021,2026-11-02,NSE,EQ,EQ,buy,false,10,1500,701,1,"
                   "2026-11-02T10:00:00\n"
                   "INFY,INE009A01021,2026-11-09,NSE,EQ,EQ,sell,false,15,1600,702,2,"
                   "2026-11-09T10:00:00\n"
                   "INFY,INE009A01021,2026-11-10,NSE,EQ,EQ,sell,false,4,1600,703,3,"
                   "2026-11-10T10:00:00\n");
        file.close();
        const QStringList import = db + QStringList{"--import-trades", book};
        const Run imported = run(import);
        QVERIFY(says(imported, 0, "2 new, 0 already held, 1 refused") &&
                says(imported, 0, "line 3 refused: it sells 15 INFY where 10 are held"));
        QVERIFY(says(run(import), 3, "0 new, 2 already held"));
        QVERIFY(says(run(import + QStringList{"--broker", "Nobody"}), 2, "no broker named"));
        // The year's report from what was stored (its arithmetic is the core's).
        QVERIFY(says(run(db + QStringList{"--export-gains", "2026-27", m_bed.path("gains")}), 0,
                     "Written to"));
        QFile report(m_bed.path("gains.csv"));
        QVERIFY(report.open(QIODevice::ReadOnly));
        QVERIFY(report.readAll().contains("INFY,02-Nov-2026,10-Nov-2026,4,"));
        QVERIFY(says(run(db + QStringList{"--export-gains", "2024-2025", m_bed.path("x")}), 2,
                     "2024-2025"));
        QVERIFY(QDir().mkpath(m_bed.path("folder.sqlite"))); // nothing to report from
        QVERIFY(says(run({"--database", m_bed.path("folder.sqlite"), "--export-gains", "2026-27",
                          m_bed.path("y")}),
                     3, "Nothing was written"));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write("Date,Symbol,Qty\n");
        file.close();
        QVERIFY(says(run(import), 3, "is not a tradebook"));
    }
};

QTEST_GUILESS_MAIN(ProgramStartTest)
#include "programstart_test.moc"
