#include "platform/common/commandline.h"

#include <QTest>

#include <map>

class CommandLineTest : public QObject
{
    Q_OBJECT

    static AppOptions parse(const QStringList &args, std::map<std::string, QString> env = {})
    {
        return parseCommandLine(QStringList{"vantrel"} + args, [env](const char *name) {
            const auto it = env.find(name);
            return it == env.end() ? QString() : it->second;
        });
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
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "commandline_test.moc"
