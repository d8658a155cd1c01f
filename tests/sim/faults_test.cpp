#include "core/net/quoteparser.h"
#include "platform/net/internetsession.h"
#include "sim/simhttp.h"
#include "support/testsim.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {
const std::string Quotes = "/d/"
                           "quotes.csv?s=^NSEI,^BSESN,USDINR=X,RELIANCE.NS,500325.BO,INFY,HDB,IBN,^"
                           "DJI,^N225&f=sl1d1t1c1ohgvjk";
} // namespace

// The faults that the program's error handling is tested against, and the control endpoint
// that switches them between requests.
class FaultsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(m_sim.startWith(), qPrintable(m_sim.errorText())); }
    void cleanup() { control("fault=none&latency-ms=0&short-lines=2"); }
    void http500();
    void droppedConnectionFailsTheFetch();
    void shortReplyKeepsTheFirstLines();
    void garbageIsJunkTheParserSurvives();
    void hangAndLatencyHoldTheReply();
    void badControlChangesNothing();
    void accessLogRecordsEveryTarget();
    void startsWithAFaultAndStopsWhileHanging();

private:
    void control(const std::string &query)
    {
        const SimReply r = simGet(m_sim.port(), "/sim/control?" + query);
        QVERIFY(r.ok);
        QCOMPARE(r.status, 200);
    }
    // A fetch through the program's own internet layer.
    FetchResult fetch(const std::string &target, int timeoutMs = 10000)
    {
        std::optional<FetchResult> result;
        fetchOnce(this, QStringLiteral("Main session"), m_sim.url() + target, timeoutMs,
                  [&](const FetchResult &r) { result = r; });
        [&] { QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), timeoutMs + 5000); }();
        return result.value_or(FetchResult{});
    }

    TestSim m_sim;
};

void FaultsTest::http500()
{
    control("fault=http500");
    const SimReply r = simGet(m_sim.port(), Quotes);
    QVERIFY(r.ok);
    QCOMPARE(r.status, 500);
    QVERIFY(!fetch(Quotes).ok);
}

void FaultsTest::droppedConnectionFailsTheFetch()
{
    const std::string whole = simGet(m_sim.port(), Quotes).body;
    control("fault=drop");
    const SimReply r = simGet(m_sim.port(), Quotes);
    QVERIFY(!r.ok);
    QCOMPARE(r.error, httplib::Error::Read);
    const FetchResult program = fetch(Quotes);
    QVERIFY(!program.ok);
    control("fault=none");
    QCOMPARE(simGet(m_sim.port(), Quotes).body, whole);
}

void FaultsTest::shortReplyKeepsTheFirstLines()
{
    const std::vector<std::string> whole = replyLines(simGet(m_sim.port(), Quotes).body);
    QCOMPARE(whole.size(), 10u);
    control("fault=short");
    QCOMPARE(replyLines(simGet(m_sim.port(), Quotes).body),
             std::vector<std::string>(whole.begin(), whole.begin() + 2));
    control("short-lines=5");
    QCOMPARE(replyLines(simGet(m_sim.port(), Quotes).body),
             std::vector<std::string>(whole.begin(), whole.begin() + 5));
}

void FaultsTest::garbageIsJunkTheParserSurvives()
{
    control("fault=garbage");
    const SimReply r = simGet(m_sim.port(), Quotes);
    QVERIFY(r.ok);
    QCOMPARE(r.status, 200);
    const std::vector<std::string> lines = replyLines(r.body);
    QVERIFY(lines.size() >= 10);
    bool binary = false, huge = false;
    for (const std::string &line : lines) {
        for (unsigned char c : line)
            binary = binary || c < 0x20 || c >= 0x80;
        huge = huge || line.size() > 50000;
        QuoteRecord record;
        parseQuoteLine(line, record);
    }
    QVERIFY(binary);
    QVERIFY(huge);
    QVERIFY(
        fetch(Quotes).ok); // junk is a reply all the same; making sense of it is the reader's job
}

void FaultsTest::hangAndLatencyHoldTheReply()
{
    control("fault=hang");
    const SimReply hung = simGet(m_sim.port(), Quotes, 800);
    QVERIFY(!hung.ok);
    QCOMPARE(hung.error, httplib::Error::Read);
    QVERIFY(!fetch(Quotes, 500).ok);
    // A hanging reply holds only its own connection: the rest of the service still answers.
    control("fault=none&latency-ms=400");
    QElapsedTimer timer;
    timer.start();
    const SimReply late = simGet(m_sim.port(), Quotes);
    QVERIFY(late.ok);
    QCOMPARE(replyLines(late.body).size(), 10u);
    QVERIFY(timer.elapsed() >= 400);
}

void FaultsTest::badControlChangesNothing()
{
    for (const char *query :
         {"fault=fire", "latency-ms=-1", "short-lines=x", "clock=2026-02-30T10:00:00",
          "advance=soon", "colour=red", "fault=http500&latency-ms=abc"}) {
        const SimReply r = simGet(m_sim.port(), std::string("/sim/control?") + query);
        QVERIFY(r.ok);
        QCOMPARE(r.status, 400);
    }
    QCOMPARE(simGet(m_sim.port(), Quotes).status,
             200); // the http500 of the last one was not applied
}

void FaultsTest::accessLogRecordsEveryTarget()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("access.log"));
    TestSim sim;
    QVERIFY(sim.startWith({QStringLiteral("--access-log"), path}));
    const std::vector<std::string> targets = {
        "/d/quotes.csv?s=%5ENSEI,USDINR=X,,M%26M.NS&f=sl1d1t1c1ohgvjk",
        "/sim/control?fault=http500", "/d/quotes.csv?s=INFY&f=w", "/no/such/page"};
    for (const std::string &target : targets)
        simGet(sim.port(), target);
    QFile log(path);
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(replyLines(log.readAll().toStdString()), targets);
}

void FaultsTest::startsWithAFaultAndStopsWhileHanging()
{
    TestSim sim;
    QVERIFY(sim.startWith({QStringLiteral("--fault"), QStringLiteral("hang"),
                           QStringLiteral("--latency-ms"), QStringLiteral("50")}));
    std::optional<FetchResult> result;
    fetchOnce(this, QStringLiteral("Main session"), sim.url() + Quotes, 60000,
              [&](const FetchResult &r) { result = r; });
    QTest::qWait(300);
    QVERIFY(!result);
    // Terminating must not wait for the hanging reply (the runner kills after three seconds).
    QElapsedTimer timer;
    timer.start();
    sim.stop();
    QVERIFY(timer.elapsed() < 2500);
    QTRY_VERIFY(result.has_value());
    QVERIFY(!result->ok);
}

QTEST_GUILESS_MAIN(FaultsTest)
#include "faults_test.moc"
