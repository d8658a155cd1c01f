#include "core/shell/refreshplan.h"
#include "platform/common/commandline.h"
#include "platform/net/simulatorprocess.h"
#include "platform/shell/refreshcycle.h"
#include "support/recordingmessenger.h"

#include <QSignalSpy>
#include <QTest>

#include <map>

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

    // The services a run ends with, as the program fills them: what the options and the
    // environment name, the rest from the gateway on --live, else from the simulator.
    static QString services(const QStringList &args, std::map<std::string, QString> env = {})
    {
        AppOptions o = parse(args, env);
        if (needsSimulator(o.services))
            (o.live ? useGatewayFor : useSimulatorFor)(o.services, o.live ? "gw" : "sim");
        const ServiceUrls &s = o.services;
        return o.error + QString::fromStdString(s.quote + ' ' + s.chart + ' ' + s.lookup) +
               (s.simulated ? " simulated" : "") + (s.live ? " live" : "");
    }

private slots:
    // An option wins over its variable and loses its trailing slash. Prices from a real
    // service are never called simulated, even if charts come from the simulator; a run is
    // live only when the gateway gives the quotes.
    void theCommandLineNamesServicesAndRunsOrGivesAClearError()
    {
        QCOMPARE(services({"--quote-url", "http://q.example:8080/"},
                          {{"VANTREL_QUOTE_URL", "http://env.example"},
                           {"VANTREL_CHART_URL", "http://charts.example"}}),
                 "http://q.example:8080 http://charts.example sim");
        QCOMPARE(services({"--chart-url", "http://c.example"}),
                 "sim http://c.example sim simulated");
        QCOMPARE(services({"--live", "--lookup-url", "http://l.example"}),
                 "gw gw http://l.example live");
        QCOMPARE(services({"--live", "--quote-url", "http://q.example"}), "http://q.example gw gw");

        const AppOptions o = parse({"--bridge-service", "org.example.Other", "--dsn", "CompanyList",
                                    "--data-dir", "/tmp/v", "--no-splash"},
                                   {{"VANTREL_BRIDGE_SERVICE", "org.example.Env"},
                                    {"VANTREL_CHARTBOOK_PROGRAM", "mycharts"}});
        QCOMPARE((QStringList{o.bridgeService, o.chartbookProgram, o.dsn, o.dataDir}),
                 (QStringList{"org.example.Other", "mycharts", "CompanyList", "/tmp/v"}));
        QVERIFY(!o.splash && parse({}).splash);

        // Bad input gives a clear error.
        QVERIFY(parse({"--quote-url", "ftp://x"}).error.contains("--quote-url"));
        QVERIFY(
            parse({}, {{"VANTREL_LOOKUP_URL", "http://"}}).error.contains("VANTREL_LOOKUP_URL"));
        QVERIFY(!parse({"--no-such-option"}).error.isEmpty());
        // --help leaves Qt's own options to --help-all.
        const AppOptions help = parse({"--help"}), all = parse({"--help-all"});
        QVERIFY(help.helpRequested && all.helpRequested && all.error.isEmpty());
        QVERIFY(help.helpText.contains("VANTREL_LOOKUP_URL") &&
                !help.helpText.contains("-platform"));
        QVERIFY(all.helpText.contains("VANTREL_LOOKUP_URL") &&
                all.helpText.contains("-platform <name>"));

        // Preparing the database or help needs no windows.
        for (const auto &[args, windowless] : std::initializer_list<std::pair<QStringList, bool>>{
                 {{"-h"}, true},
                 {{"-v"}, true},
                 {{"--", "--init-db"}, false},
                 {{"--dsn", "--help"}, false}}) // a name
            QVERIFY2(parse(args).runsWithoutWindows() == windowless, qPrintable(args.join(' ')));
        // Qt's own window options mean nothing to a run without windows, and stop nothing.
        const AppOptions qt = parse({"-platform", "offscreen", "-display", ":1", "-style", "fusion",
                                     "--init-db", "-reverse"});
        QVERIFY2(qt.error.isEmpty(), qPrintable(qt.error));
        QVERIFY(qt.runsWithoutWindows() && qt.splash);
    }

    void aServiceThatSaysNothingUsableIsAFailureWithItsReason()
    {
        for (const auto &[program, arguments, reason] :
             std::initializer_list<std::tuple<const char *, QStringList, const char *>>{
                 {"/bin/sh",
                  {"-c", "echo address in use >&2; exit 3"},
                  "did not report its port: address in use"},
                 {"/bin/sh", {"-c", "echo ready; sleep 5"}, "reported no usable port"},
                 {"/nonexistent/vantrel-sim", {}, "No such file"},
                 {"/bin/sleep", {"20"}, "did not report its port"}}) {
            // Started in the background, it gives one verdict.
            SimulatorProcess service;
            QList<bool> verdicts;
            service.startInBackground(
                program, arguments, [&](bool ok) { verdicts << ok; }, 5000);
            QVERIFY2(QTest::qWaitFor([&] { return !verdicts.isEmpty(); }, 10000), program);
            QTest::qWait(50); // a second verdict would come now
            QCOMPARE(verdicts, QList<bool>{false});
            QVERIFY2(service.errorText().contains(reason) && !service.running(),
                     qPrintable(service.errorText()));
        }
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
