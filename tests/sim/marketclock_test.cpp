#include "core/net/quoteparser.h"
#include "sim/simhttp.h"
#include "support/testsim.h"

#include <QTest>

namespace {
const std::string Target =
    "/d/quotes.csv?s=^NSEI,^BSESN,USDINR=X,RELIANCE.NS,500325.BO,INFY&f=sl1d1t1c1ohgvjk";

QuoteRecord parsed(const std::string &line)
{
    QuoteRecord r;
    parseQuoteLine(line, r);
    return r;
}
} // namespace

// Reproducibility and the simulated clock: what the end-to-end tests build on.
class MarketClockTest : public QObject
{
    Q_OBJECT
private slots:
    void sameSeedAndClockGiveTheSameBytes();
    void pricesMoveWithTheClockDuringTheSession();
    void aWeekendShowsFridaysClose();
    void alwaysOpenMovesAtTheWeekend();

private:
    static std::string quotes(const TestSim &sim) { return simGet(sim.port(), Target).body; }
    static void control(const TestSim &sim, const std::string &query)
    {
        const SimReply r = simGet(sim.port(), "/sim/control?" + query);
        QVERIFY(r.ok);
        QCOMPARE(r.status, 200);
        QCOMPARE(QByteArray::fromStdString(r.body).trimmed(), QByteArray("OK"));
    }
};

void MarketClockTest::sameSeedAndClockGiveTheSameBytes()
{
    TestSim a, b, other;
    QVERIFY(a.startWith());
    QVERIFY(b.startWith());
    QVERIFY(other.startWith({}, 8));
    const std::string reply = quotes(a);
    QCOMPARE(replyLines(reply).size(), 6u);
    QCOMPARE(quotes(b), reply);
    QCOMPARE(quotes(a), reply); // asking again changes nothing while the clock stands
    QVERIFY(quotes(other) != reply);
}

void MarketClockTest::pricesMoveWithTheClockDuringTheSession()
{
    TestSim sim;
    QVERIFY(sim.startWith());
    const std::vector<std::string> before = replyLines(quotes(sim));
    control(sim, "advance=90");
    const std::vector<std::string> after = replyLines(quotes(sim));
    QCOMPARE(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        const QuoteRecord was = parsed(before[i]), now = parsed(after[i]);
        QCOMPARE(now.time, std::string("11:01AM"));
        QVERIFY2(now.last != was.last, after[i].c_str());
        QCOMPARE(now.open, was.open);
        QVERIFY(now.high >= was.high && now.low <= was.low);
        QVERIFY(now.volume >= was.volume);
    }
    QVERIFY(parsed(after[3]).volume > parsed(before[3]).volume); // the stock trades on

    // Setting the clock back gives back the very same figures.
    control(sim, "clock=2026-12-04T11:00:00");
    QCOMPARE(replyLines(quotes(sim)), before);
}

void MarketClockTest::aWeekendShowsFridaysClose()
{
    TestSim sim;
    QVERIFY(sim.startWith());
    control(sim, "clock=2026-12-04T15:45:00");
    const std::string fridayClose = quotes(sim);
    const QuoteRecord nifty = parsed(replyLines(fridayClose).at(0));
    QCOMPARE(nifty.date, std::string("12/4/2026"));
    QCOMPARE(nifty.time, std::string("3:30PM"));
    for (const char *later :
         {"2026-12-05T11:00:00", "2026-12-06T23:00:00", "2026-12-07T09:14:00"}) {
        control(sim, std::string("clock=") + later);
        QCOMPARE(quotes(sim), fridayClose);
    }
    control(sim, "advance=60"); // Monday 09:15, the open
    const QuoteRecord monday = parsed(replyLines(quotes(sim)).at(0));
    QCOMPARE(monday.date, std::string("12/7/2026"));
    QCOMPARE(monday.time, std::string("9:15AM"));
    QVERIFY(std::abs(monday.change - (monday.last - nifty.last)) < 0.006); // against Friday's close
}

void MarketClockTest::alwaysOpenMovesAtTheWeekend()
{
    TestSim sim;
    QVERIFY(sim.startWith({QStringLiteral("--always-open")}));
    control(sim, "clock=2026-12-05T22:30:00");
    const QuoteRecord before = parsed(replyLines(quotes(sim)).at(0));
    control(sim, "advance=120");
    const QuoteRecord after = parsed(replyLines(quotes(sim)).at(0));
    QCOMPARE(after.date, std::string("12/5/2026"));
    QCOMPARE(after.time, std::string("10:32PM"));
    QVERIFY(after.last != before.last);
}

QTEST_GUILESS_MAIN(MarketClockTest)
#include "marketclock_test.moc"
