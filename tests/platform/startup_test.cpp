#include "core/shell/refreshplan.h"
#include "platform/common/commandline.h"
#include "platform/net/simulatorprocess.h"
#include "platform/shell/refreshcycle.h"
#include "support/recordingmessenger.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

#include <map>
#include <optional>

// What the program settles beside its windows: the command line, and the service it starts
// without waiting, with the port chosen beforehand, and the refresh that holds its first tick
// until the service is up.
class StartupTest : public QObject
{
    Q_OBJECT

    static AppOptions parse(const QStringList &args, std::map<std::string, QString> env = {})
    {
        return parseCommandLine(QStringList{"vantrel"} + args, [env](const char *name) {
            const auto it = env.find(name);
            return it == env.end() ? QString() : it->second;
        });
    }

    // Starts the program in the background and waits for its verdict.
    static std::optional<bool> startAndWait(SimulatorProcess &service, const QString &program,
                                            const QStringList &arguments)
    {
        std::optional<bool> verdict;
        int calls = 0;
        service.startInBackground(
            program, arguments,
            [&](bool ok) {
                verdict = ok;
                ++calls;
            },
            5000);
        if (!QTest::qWaitFor([&] { return verdict.has_value(); }, 10000))
            return std::nullopt;
        QTest::qWait(50);
        return calls == 1 ? verdict : std::nullopt;
    }

private slots:
    void optionsWinOverEnvironmentAndSlashesGo()
    {
        const AppOptions o = parse({"--quote-url", "http://q.example:8080/"},
                                   {{"VANTREL_QUOTE_URL", "http://env.example"},
                                    {"VANTREL_CHART_URL", "http://charts.example"}});
        QVERIFY(o.error.isEmpty());
        QCOMPARE(o.services.quote, std::string("http://q.example:8080"));
        QCOMPARE(o.services.chart, std::string("http://charts.example"));
        QVERIFY(o.splash);

        const AppOptions link = parse({"--bridge-service", "org.example.Other"},
                                      {{"VANTREL_BRIDGE_SERVICE", "org.example.Env"},
                                       {"VANTREL_CHARTBOOK_PROGRAM", "mycharts"}});
        QCOMPARE(link.bridgeService, QString("org.example.Other"));
        QCOMPARE(link.chartbookProgram, QString("mycharts"));
    }

    void missingServicesFallToTheSimulator()
    {
        AppOptions o = parse({"--chart-url", "http://c.example", "--no-splash"});
        QVERIFY(!o.splash);
        QVERIFY(needsSimulator(o.services));
        useSimulatorFor(o.services, "http://127.0.0.1:4242");
        QVERIFY(o.services.simulated);
        QCOMPARE(o.services.quote, std::string("http://127.0.0.1:4242"));
        QCOMPARE(o.services.chart, std::string("http://c.example"));
        QCOMPARE(o.services.lookup, std::string("http://127.0.0.1:4242"));

        // Prices from a real service are never called simulated, even if charts come from the
        // simulator.
        AppOptions real = parse({"--quote-url", "http://q.example"});
        useSimulatorFor(real.services, "http://127.0.0.1:4242");
        QVERIFY(!real.services.simulated);

        // --live: the gateway stands in where the simulator would, and the run is live only
        // when the gateway gives the quotes.
        AppOptions live = parse({"--live", "--lookup-url", "http://l.example"});
        QVERIFY(live.live);
        useGatewayFor(live.services, "http://127.0.0.1:4343");
        QVERIFY(live.services.live && !live.services.simulated);
        QCOMPARE(live.services.chart, std::string("http://127.0.0.1:4343"));
        QCOMPARE(live.services.lookup, std::string("http://l.example"));
        AppOptions overridden = parse({"--live", "--quote-url", "http://q.example"});
        useGatewayFor(overridden.services, "http://127.0.0.1:4343");
        QVERIFY(!overridden.services.live);
    }

    void badInputGivesAClearError()
    {
        for (const char *url : {"ftp://x", "http://", "https:///path", "q.example:80"})
            QVERIFY2(parse({"--quote-url", QString::fromLatin1(url)}).error.contains("--quote-url"),
                     url);
        QVERIFY(
            parse({}, {{"VANTREL_LOOKUP_URL", "http://"}}).error.contains("VANTREL_LOOKUP_URL"));
        QVERIFY(!parse({"--no-such-option"}).error.isEmpty());
        const AppOptions help = parse({"--help"});
        QVERIFY(help.helpRequested);
        QVERIFY(help.helpText.contains("VANTREL_LOOKUP_URL"));
        QVERIFY(!help.helpText.contains("-platform"));
        const AppOptions all = parse({"--help-all"});
        QVERIFY(all.helpRequested && all.error.isEmpty());
        QVERIFY(all.helpText.contains("VANTREL_LOOKUP_URL"));
        QVERIFY(all.helpText.contains("-platform <name>"));
        const AppOptions db = parse({"--dsn", "CompanyList", "--data-dir", "/tmp/v"});
        QCOMPARE(db.dsn, QStringLiteral("CompanyList"));
        QCOMPARE(db.dataDir, QStringLiteral("/tmp/v"));
    }

    void preparingTheDatabaseOrHelpNeedsNoWindows()
    {
        const auto windowless = [](const QStringList &args) {
            return parse(args).runsWithoutWindows();
        };
        QVERIFY(windowless({"--dsn", "Shares", "--init-db"}));
        QVERIFY(windowless({"-h"}));
        QVERIFY(windowless({"-v"}));
        // Qt's own window options mean nothing to a run without windows, and stop nothing.
        const AppOptions qt = parse({"-platform", "offscreen", "-display", ":1", "-style", "fusion",
                                     "--init-db", "-reverse"});
        QVERIFY2(qt.error.isEmpty(), qPrintable(qt.error));
        QVERIFY(qt.runsWithoutWindows() && qt.splash);
        QVERIFY(!windowless({"--no-splash"}));
        QVERIFY(!windowless({"--", "--init-db"}));
        QVERIFY(!windowless({"--dsn", "--help"})); // a name
    }

    void aServiceOnAChosenPortIsReadyWhenItSaysSo()
    {
        const int port = SimulatorProcess::freePort();
        QVERIFY(port > 0);
        SimulatorProcess service;
        const QString sim = SimulatorProcess::locate();
        QVERIFY2(!sim.isEmpty(), "vantrel-sim is built beside the tests");
        QCOMPARE(startAndWait(service, sim,
                              {"--port", QString::number(port), "--always-open", "--seed", "3"}),
                 std::optional<bool>(true));
        QCOMPARE(service.port(), port);
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(port));
        QVERIFY(socket.waitForConnected(5000));
        QVERIFY(service.stop());
    }

    void aServiceThatSaysNothingUsableIsAFailureWithItsReason_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("reason");
        QTest::newRow("ends silently")
            << "/bin/sh" << QStringList{"-c", "echo address in use >&2; exit 3"}
            << "did not report its port: address in use";
        QTest::newRow("no port") << "/bin/sh" << QStringList{"-c", "echo ready; sleep 5"}
                                 << "reported no usable port";
        QTest::newRow("missing") << "/nonexistent/vantrel-sim" << QStringList{} << "";
        QTest::newRow("never says")
            << "/bin/sleep" << QStringList{"20"} << "did not report its port";
    }

    void aServiceThatSaysNothingUsableIsAFailureWithItsReason()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, reason);
        SimulatorProcess service;
        QCOMPARE(startAndWait(service, program, arguments), std::optional<bool>(false));
        QVERIFY2(service.errorText().contains(reason), qPrintable(service.errorText()));
        QVERIFY(!service.errorText().isEmpty());
        QVERIFY(!service.running());
    }

    // A start still waiting when the program ends tells nobody.
    void stoppingAWaitingStartCallsNobody()
    {
        bool called = false;
        {
            SimulatorProcess service;
            service.startInBackground(QStringLiteral("/bin/sleep"), {"20"},
                                      [&](bool) { called = true; });
            QTest::qWait(50);
        }
        QTest::qWait(50);
        QVERIFY(!called);
    }

    void theFirstRefreshWaitsForTheService()
    {
        RecordingMessenger messenger;
        QuoteGroupRegistry registry;
        RefreshCycle refresh(registry, messenger);
        refresh.setBaseUrl("http://127.0.0.1:9");
        QSignalSpy started(&refresh, &RefreshCycle::requestStarted);
        refresh.serviceReady(); // ready with no tick waiting sends nothing
        refresh.waitForService();
        refresh.startTimer();
        QTest::qWait(50);
        refresh.start();
        QCOMPARE(started.count(), 0);
        refresh.serviceReady();
        QCOMPARE(started.count(), 1);
        QVERIFY(!refresh.waitingForService());
        refresh.stopTimer();
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "startup_test.moc"
