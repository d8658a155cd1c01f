#include "platform/common/commandline.h"

#include <QTest>

#include <map>

class CommandLineTest : public QObject
{
    Q_OBJECT

    static AppOptions parse(const QStringList &args, std::map<std::string, QString> env = {})
    {
        return parseCommandLine(QStringList{QStringLiteral("vantrel")} + args,
                                [env](const char *name) {
                                    const auto it = env.find(name);
                                    return it == env.end() ? QString() : it->second;
                                });
    }

private slots:
    void optionsWinOverEnvironmentAndSlashesGo()
    {
        const AppOptions o =
            parse({QStringLiteral("--quote-url"), QStringLiteral("http://q.example:8080/")},
                  {{"VANTREL_QUOTE_URL", QStringLiteral("http://env.example")},
                   {"VANTREL_CHART_URL", QStringLiteral("http://charts.example")}});
        QVERIFY(o.error.isEmpty());
        QCOMPARE(o.services.quote, std::string("http://q.example:8080"));
        QCOMPARE(o.services.chart, std::string("http://charts.example"));
        QVERIFY(o.splash);
    }

    void missingServicesFallToTheSimulator()
    {
        AppOptions o = parse({QStringLiteral("--chart-url"), QStringLiteral("http://c.example"),
                              QStringLiteral("--no-splash")});
        QVERIFY(!o.splash);
        QVERIFY(needsSimulator(o.services));
        useSimulatorFor(o.services, "http://127.0.0.1:4242");
        QVERIFY(o.services.simulated);
        QCOMPARE(o.services.quote, std::string("http://127.0.0.1:4242"));
        QCOMPARE(o.services.chart, std::string("http://c.example"));
        QCOMPARE(o.services.lookup, std::string("http://127.0.0.1:4242"));

        // Prices from a real service are never called simulated, even if charts come from the
        // simulator.
        AppOptions real =
            parse({QStringLiteral("--quote-url"), QStringLiteral("http://q.example")});
        useSimulatorFor(real.services, "http://127.0.0.1:4242");
        QVERIFY(!real.services.simulated);
    }

    void badInputGivesAClearError()
    {
        for (const char *url : {"ftp://x", "http://", "https:///path", "q.example:80"})
            QVERIFY2(parse({QStringLiteral("--quote-url"), QString::fromLatin1(url)})
                         .error.contains(QStringLiteral("--quote-url")),
                     url);
        QVERIFY(parse({}, {{"VANTREL_LOOKUP_URL", QStringLiteral("http://")}})
                    .error.contains(QStringLiteral("VANTREL_LOOKUP_URL")));
        QVERIFY(!parse({QStringLiteral("--no-such-option")}).error.isEmpty());
        QVERIFY(parse({QStringLiteral("--help")}).helpRequested);
        const AppOptions help = parse({QStringLiteral("--help")});
        QVERIFY(help.helpText.contains(QStringLiteral("VANTREL_LOOKUP_URL")));
        QVERIFY(!help.helpText.contains(QStringLiteral("-platform")));
        const AppOptions all = parse({QStringLiteral("--help-all")});
        QVERIFY(all.helpRequested && all.error.isEmpty());
        QVERIFY(all.helpText.contains(QStringLiteral("VANTREL_LOOKUP_URL")));
        QVERIFY(all.helpText.contains(QStringLiteral("-platform <name>")));
        const AppOptions db = parse({QStringLiteral("--dsn"), QStringLiteral("CompanyList"),
                                     QStringLiteral("--data-dir"), QStringLiteral("/tmp/v")});
        QCOMPARE(db.dsn, QStringLiteral("CompanyList"));
        QCOMPARE(db.dataDir, QStringLiteral("/tmp/v"));
    }

    void preparingTheDatabaseOrHelpNeedsNoWindows()
    {
        const auto windowless = [](const QStringList &args) {
            return parse(args).runsWithoutWindows();
        };
        QVERIFY(windowless(
            {QStringLiteral("--dsn"), QStringLiteral("Shares"), QStringLiteral("--init-db")}));
        QVERIFY(windowless({QStringLiteral("-h")}));
        QVERIFY(windowless({QStringLiteral("-v")}));
        // Qt's own window options mean nothing to a run without windows, and stop nothing.
        const AppOptions qt = parse({QStringLiteral("-platform"), QStringLiteral("offscreen"),
                                     QStringLiteral("-display"), QStringLiteral(":1"),
                                     QStringLiteral("-style"), QStringLiteral("fusion"),
                                     QStringLiteral("--init-db"), QStringLiteral("-reverse")});
        QVERIFY2(qt.error.isEmpty(), qPrintable(qt.error));
        QVERIFY(qt.runsWithoutWindows() && qt.splash);
        QVERIFY(!windowless({QStringLiteral("--no-splash")}));
        QVERIFY(!windowless({QStringLiteral("--"), QStringLiteral("--init-db")}));
        QVERIFY(!windowless({QStringLiteral("--dsn"), QStringLiteral("--help")})); // a name
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "commandline_test.moc"
