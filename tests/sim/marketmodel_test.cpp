#include "companylist.h"
#include "marketmodel.h"
#include "simtime.h"

#include <QTest>

#include <algorithm>
#include <cmath>

namespace {
std::int64_t at(const char *iso)
{
    return *simtime::parseIso(iso);
}

constexpr std::uint64_t SimOptionsSeed = 20080627; // the simulator's default

const CompanyRow Reliance{"Reliance Industries Limited", "RELIANCE", "500325"};
const CompanyRow Tiny{"Ambika Agarbathies Aroma & Industries Ltd", "", "527247"};
} // namespace

// The market model in process: the figures every endpoint serves must agree with each other
// however they are asked for.
class MarketModelTest : public QObject
{
    Q_OBJECT
public:
    MarketModelTest() { m_universe.addCompanies({Reliance, Tiny}); }

private slots:
    void minuteBarsAddUpToTheDailyBar_data();
    void minuteBarsAddUpToTheDailyBar();
    void quotesStayConsistentThroughTheSession();
    void outsideTheSessionTheLastCloseStands();
    void levelsStayPlausibleForYears();
    void bothListingsOfACompanyTradeAlike();
    void everyListedSymbolQuotesSanely();
    void alwaysOpenTradesAtWeekends();

private:
    Universe m_universe;
    MarketModel m_model{m_universe, 7, TradingCalendar()};
};

void MarketModelTest::minuteBarsAddUpToTheDailyBar_data()
{
    QTest::addColumn<QString>("symbol");
    for (const char *s : {"^NSEI", "RELIANCE.NS", "527247.BO", "USDINR=X", "INFY"})
        QTest::newRow(s) << QString::fromLatin1(s);
}

void MarketModelTest::minuteBarsAddUpToTheDailyBar()
{
    const Instrument *instrument = m_universe.find(QTest::currentDataTag());
    QVERIFY(instrument);
    const std::int64_t first = simtime::dayOf(at("2026-11-23T00:00:00"));
    const std::vector<DailyBar> days = m_model.dailyBars(*instrument, first, first + 13);
    QCOMPARE(days.size(), 10u); // two weeks, weekends left out
    for (const DailyBar &day : days) {
        const std::vector<MinuteBar> bars = m_model.minuteBars(*instrument, day.day);
        QCOMPARE(bars.size(), 375u);
        QCOMPARE(bars.front().minute, 9 * 60 + 15);
        QCOMPARE(bars.front().open, day.open);
        QCOMPARE(bars.back().close, day.close);
        double high = 0, low = 1e300;
        std::int64_t volume = 0;
        for (std::size_t k = 0; k < bars.size(); ++k) {
            QVERIFY(bars[k].low <= std::min(bars[k].open, bars[k].close));
            QVERIFY(bars[k].high >= std::max(bars[k].open, bars[k].close));
            if (k > 0)
                QCOMPARE(bars[k].open, bars[k - 1].close);
            high = std::max(high, bars[k].high);
            low = std::min(low, bars[k].low);
            volume += bars[k].volume;
        }
        QCOMPARE(high, day.high);
        QCOMPARE(low, day.low);
        QCOMPARE(volume, day.volume);
    }
    // A range is the same days whatever range they are asked in.
    const std::vector<DailyBar> one = m_model.dailyBars(*instrument, days[4].day, days[4].day);
    QCOMPARE(one.size(), 1u);
    QCOMPARE(one.front().close, days[4].close);
    QCOMPARE(one.front().volume, days[4].volume);
}

void MarketModelTest::quotesStayConsistentThroughTheSession()
{
    const Instrument &stock = *m_universe.find("RELIANCE.NS");
    const std::int64_t day = simtime::dayOf(at("2026-12-04T00:00:00"));
    const std::vector<DailyBar> bars = m_model.dailyBars(stock, day - 400, day);
    const DailyBar &today = bars.back();
    const DailyBar &yesterday = bars[bars.size() - 2];
    double yearLow = 1e300, yearHigh = 0;
    for (const DailyBar &b : bars) {
        if (b.day > day - 364 && b.day < day) {
            yearLow = std::min(yearLow, b.low);
            yearHigh = std::max(yearHigh, b.high);
        }
    }
    std::int64_t volume = -1;
    for (int second = 9 * 3600 + 15 * 60; second <= 15 * 3600 + 30 * 60; second += 397) {
        const Quote q = m_model.quote(stock, day * simtime::SecondsPerDay + second);
        QCOMPARE(q.day, day);
        QCOMPARE(q.minute, second / 60);
        QCOMPARE(q.open, today.open);
        QCOMPARE(q.previousClose, yesterday.close);
        QVERIFY(std::fabs(q.change - (q.last - q.previousClose)) < 0.005);
        QVERIFY(q.low <= q.last && q.last <= q.high);
        QVERIFY(today.low <= q.low && q.high <= today.high);
        QVERIFY(q.volume >= volume && q.volume <= today.volume);
        volume = q.volume;
        QCOMPARE(q.yearLow, std::min(yearLow, q.low));
        QCOMPARE(q.yearHigh, std::max(yearHigh, q.high));
    }
    const Quote closing = m_model.quote(stock, day * simtime::SecondsPerDay + 15 * 3600 + 30 * 60);
    QCOMPARE(closing.last, today.close);
    QCOMPARE(closing.high, today.high);
    QCOMPARE(closing.low, today.low);
    QCOMPARE(closing.volume, today.volume);
}

void MarketModelTest::outsideTheSessionTheLastCloseStands()
{
    const Instrument &nifty = *m_universe.find("^NSEI");
    const Quote friday = m_model.quote(nifty, at("2026-12-04T15:30:00"));
    for (const char *later : {"2026-12-04T15:30:01", "2026-12-04T23:59:59", "2026-12-05T12:00:00",
                              "2026-12-07T09:14:59"}) {
        const Quote q = m_model.quote(nifty, at(later));
        QCOMPARE(q.day, simtime::dayOf(at("2026-12-04T00:00:00")));
        QCOMPARE(q.minute, 15 * 60 + 30);
        QCOMPARE(q.last, friday.last);
        QCOMPARE(q.change, friday.change);
        QCOMPARE(q.high, friday.high);
    }
    const Quote monday = m_model.quote(nifty, at("2026-12-07T09:15:00"));
    QCOMPARE(monday.previousClose, friday.last);
    QCOMPARE(monday.last, monday.open);
}

void MarketModelTest::levelsStayPlausibleForYears()
{
    // Ten years of closes never wander far from each instrument's usual level.
    const std::int64_t from = simtime::dayOf(at("2020-01-01T00:00:00"));
    for (const auto &[symbol, low, high] :
         {std::tuple{"^NSEI", 17000.0, 33000.0}, std::tuple{"^BSESN", 57000.0, 110000.0},
          std::tuple{"USDINR=X", 70.0, 100.0}, std::tuple{"^DJI", 30000.0, 62000.0}}) {
        for (const DailyBar &bar : m_model.dailyBars(*m_universe.find(symbol), from, from + 3650)) {
            if (bar.low < low || bar.high > high)
                QFAIL(qPrintable(
                    QStringLiteral("%1 at %2 on day %3").arg(symbol).arg(bar.close).arg(bar.day)));
        }
    }
}

void MarketModelTest::bothListingsOfACompanyTradeAlike()
{
    const std::int64_t time = at("2026-12-04T11:00:00");
    const Quote nse = m_model.quote(*m_universe.find("RELIANCE.NS"), time);
    const Quote bse = m_model.quote(*m_universe.find("500325.BO"), time);
    QVERIFY(std::fabs(nse.last / bse.last - 1) < 0.005);
    QVERIFY(bse.volume < nse.volume);
}

void MarketModelTest::everyListedSymbolQuotesSanely()
{
    // Rare paths (a day that never trades beyond its open and close) only show up across
    // thousands of symbols.
    Universe all;
    const auto rows = loadCompanyList(VANTREL_DATA_DIR "/companylist.csv");
    QVERIFY(rows);
    all.addCompanies(*rows);
    QVERIFY(all.instruments().size() > 7000);
    const MarketModel model(all, SimOptionsSeed, TradingCalendar());
    const std::int64_t time = at("2026-12-04T13:47:31");
    for (const Instrument &i : all.instruments()) {
        const Quote q = model.quote(i, time);
        bool sane = q.yearLow > 0 && q.yearLow <= q.low && q.low <= q.last && q.last <= q.high &&
                    q.high <= q.yearHigh;
        for (const MinuteBar &bar : model.minuteBars(i, q.day))
            sane = sane && bar.low > 0 && bar.low <= std::min(bar.open, bar.close) &&
                   bar.high >= std::max(bar.open, bar.close);
        if (!sane)
            QFAIL(qPrintable(QStringLiteral("%1: %2 %3 %4 %5 %6")
                                 .arg(QString::fromStdString(i.symbol))
                                 .arg(q.yearLow)
                                 .arg(q.low)
                                 .arg(q.last)
                                 .arg(q.high)
                                 .arg(q.yearHigh)));
    }
}

void MarketModelTest::alwaysOpenTradesAtWeekends()
{
    const MarketModel open(m_universe, 7, TradingCalendar(true));
    const Instrument &nifty = *m_universe.find("^NSEI");
    const Quote a = open.quote(nifty, at("2026-12-05T03:00:00"));
    const Quote b = open.quote(nifty, at("2026-12-05T03:10:00"));
    QCOMPARE(a.day, simtime::dayOf(at("2026-12-05T00:00:00")));
    QCOMPARE(b.minute, 3 * 60 + 10);
    QVERIFY(a.last != b.last);
    QCOMPARE(open.minuteBars(nifty, a.day).size(), 1440u);
}

QTEST_APPLESS_MAIN(MarketModelTest)
#include "marketmodel_test.moc"
