#include "simoptions.h"
#include "simtime.h"

#include <QTest>

#include <vector>

namespace {
std::optional<SimOptions> parse(std::vector<const char *> args, std::string *error = nullptr)
{
    args.insert(args.begin(), "vantrel-sim");
    std::string ignored;
    return parseSimOptions(static_cast<int>(args.size()), args.data(), error ? *error : ignored);
}
} // namespace

// The command line, and the time texts that the clock option and the replies use.
class SimOptionsTest : public QObject
{
    Q_OBJECT
private slots:
    void everyOptionIsRead()
    {
        const std::optional<SimOptions> o =
            parse({"--port", "8123", "--seed=42", "--clock", "2026-12-04T11:00:00", "--always-open",
                   "--access-log", "/tmp/a.log", "--data-dir", "/tmp/data", "--latency-ms", "250",
                   "--fault", "short", "--short-lines=3"});
        QVERIFY(o);
        QCOMPARE(o->port, 8123);
        QCOMPARE(o->seed, 42u);
        QCOMPARE(simtime::formatIso(o->clock.value()), std::string("2026-12-04T11:00:00"));
        QVERIFY(o->alwaysOpen);
        QCOMPARE(o->accessLog, std::string("/tmp/a.log"));
        QCOMPARE(o->dataDir, std::string("/tmp/data"));
        QCOMPARE(o->reply.latencyMs, 250);
        QVERIFY(o->reply.fault == FaultKind::Short);
        QCOMPARE(o->reply.shortLines, 3);

        const std::optional<SimOptions> defaults = parse({});
        QVERIFY(defaults && !defaults->clock && defaults->port == 0 &&
                defaults->reply.fault == FaultKind::None);
    }

    void badCommandLinesAreRefused()
    {
        for (const std::vector<const char *> &args : {std::vector<const char *>{"--port", "70000"},
                                                      {"--port"},
                                                      {"--seed", "-1"},
                                                      {"--clock", "2026-12-04"},
                                                      {"--clock", "2026-13-01T10:00:00"},
                                                      {"--fault", "fire"},
                                                      {"--latency-ms", "soon"},
                                                      {"--colour"}}) {
            std::string error;
            QVERIFY2(!parse(args, &error), args.front());
            QVERIFY(!error.empty());
        }
    }

    void timeTexts()
    {
        const std::int64_t t = simtime::parseIso("2024-02-29 00:05").value();
        QCOMPARE(simtime::formatIso(t), std::string("2024-02-29T00:05:00"));
        QCOMPARE(simtime::formatQuoteDate(simtime::dayOf(t)), std::string("2/29/2024"));
        QVERIFY(!simtime::parseIso("2025-02-29T00:00:00"));
        QCOMPARE(simtime::weekday(simtime::dayOf(t)), 3); // a Thursday
        QCOMPARE(simtime::formatQuoteTime(12 * 60 + 5), std::string("12:05pm"));
        // Before 1970 too: the walk's history reaches back a year from any clock.
        QCOMPARE(simtime::formatQuoteDate(simtime::daysFromCivil({1969, 12, 31})),
                 std::string("12/31/1969"));
    }
};

QTEST_APPLESS_MAIN(SimOptionsTest)
#include "simoptions_test.moc"
