#include "chartoptions.h"
#include "chartseries.h"
#include "companylist.h"
#include "core/market/indextables.h"
#include "indicators.h"
#include "marketmodel.h"
#include "querystring.h"
#include "simoptions.h"
#include "simtime.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <span>

namespace {
std::int64_t at(const char *iso)
{
    return *simtime::parseIso(iso);
}
// The command line's words, split at each blank.
std::optional<SimOptions> parse(const QByteArray &line, std::string &error)
{
    const QList<QByteArray> words = ("vantrel-sim " + line).trimmed().split(' ');
    std::vector<const char *> args;
    for (const QByteArray &word : words)
        args.push_back(word.constData());
    return parseSimOptions(static_cast<int>(args.size()), args.data(), error);
}

const ListedCompany Reliance{"Reliance Industries Limited", "RELIANCE", "500325"};
const ListedCompany Tiny{"Ambika Agarbathies Aroma & Industries Ltd", "", "527247"};
Bar bar(double open, double high, double low, double close, std::int64_t volume = 100)
{
    return {0, open, high, low, close, volume};
}
} // namespace

// The market model in process: the figures every endpoint serves must agree with each other
// however they are asked for; what a chart draws agrees with the quote at every moment, and
// its studies give the textbook values on series whose answer is known; then the command line
// and the time texts that the clock option and the replies use.
class MarketModelTest : public QObject
{
    Q_OBJECT
public:
    MarketModelTest() { m_universe.addCompanies({Reliance, Tiny}); }

private slots:
    void minuteBarsAddUpToTheDailyBar_data()
    {
        QTest::addColumn<QString>("symbol");
        for (const char *s : {"^NSEI", "527247.BO", "USDINR=X", "INFY"})
            QTest::newRow(s) << QString::fromLatin1(s);
    }

    void minuteBarsAddUpToTheDailyBar()
    {
        const Instrument *instrument = m_universe.find(QTest::currentDataTag());
        QVERIFY(instrument);
        const std::int64_t first = simtime::dayOf(at("2026-11-23T00:00:00"));
        const std::vector<Bar> days = m_model.dailyBars(*instrument, first, first + 13);
        for (const Bar &day : days) {
            const std::vector<Bar> bars = m_model.minuteBars(*instrument, day.day());
            QCOMPARE(std::tuple(bars.front().day(), bars.front().minute(), bars.front().open,
                                bars.back().close),
                     std::tuple(day.day(), 9 * 60 + 15, day.open, day.close));
            // Their highs, lows and volumes are summed against the day's with the charts.
            for (std::size_t k = 1; k < bars.size(); ++k)
                QCOMPARE(bars[k].open, bars[k - 1].close);
        }
    }

    void quotesStayConsistentThroughTheSessionAndSaneForEverySymbol()
    {
        const Instrument &stock = *m_universe.find("RELIANCE.NS");
        const std::int64_t day = simtime::dayOf(at("2026-12-04T00:00:00"));
        const std::vector<Bar> bars = m_model.dailyBars(stock, day - 400, day);
        const Bar &today = bars.back(), &yesterday = bars[bars.size() - 2];
        double yearLow = 1e300, yearHigh = 0;
        for (const Bar &b : bars)
            if (b.day() > day - 364 && b.day() < day)
                yearLow = std::min(yearLow, b.low), yearHigh = std::max(yearHigh, b.high);
        std::int64_t volume = -1;
        for (int second = 9 * 3600 + 15 * 60; second <= 15 * 3600 + 30 * 60; second += 397) {
            const Quote q = m_model.quote(stock, day * simtime::SecondsPerDay + second);
            QCOMPARE(std::tuple(q.day, q.minute, q.open, q.previousClose),
                     std::tuple(day, second / 60, today.open, yesterday.close));
            QVERIFY(std::fabs(q.change - (q.last - q.previousClose)) < 0.005);
            QVERIFY(q.volume >= volume && q.volume <= today.volume);
            volume = q.volume;
            QCOMPARE(std::pair(q.yearLow, q.yearHigh),
                     std::pair(std::min(yearLow, q.low), std::max(yearHigh, q.high)));
        }

        // Rare paths (a day that never trades beyond its open and close) only show up across
        // thousands of symbols.
        Universe all;
        const auto rows = loadCompanyList(VANTREL_DATA_DIR "/companylist.csv");
        QVERIFY(rows);
        all.addCompanies(*rows);
        QVERIFY(all.instruments().size() > 7000);
        // The world and indices panels' symbols as well.
        for (const auto &table : {std::span<const NamedSymbol>(indextables::World),
                                  std::span<const NamedSymbol>(indextables::Adr),
                                  std::span<const NamedSymbol>(indextables::Nse),
                                  std::span<const NamedSymbol>(indextables::Bse)})
            for (const NamedSymbol &s : table)
                QVERIFY2(all.find(s.symbol), s.symbol.data());
        const MarketModel model(all, 20080627, TradingCalendar()); // the simulator's seed
        const std::int64_t time = at("2026-12-04T13:47:31");
        for (const Instrument &i : all.instruments()) {
            const Quote q = model.quote(i, time);
            bool sane = q.yearLow > 0 && q.yearLow <= q.low && q.low <= q.last &&
                        q.last <= q.high && q.high <= q.yearHigh;
            for (const Bar &bar : model.minuteBars(i, q.day))
                sane = sane && bar.low > 0 && bar.low <= std::min(bar.open, bar.close) &&
                       bar.high >= std::max(bar.open, bar.close);
            QVERIFY2(sane, i.symbol.c_str());
        }
        // Ten years of closes never wander far from each instrument's usual level.
        const std::int64_t from = simtime::dayOf(at("2020-01-01T00:00:00"));
        for (const auto &[symbol, low, high] :
             {std::tuple{"^NSEI", 17000.0, 33000.0}, std::tuple{"USDINR=X", 70.0, 100.0}})
            for (const Bar &bar : model.dailyBars(*all.find(symbol), from, from + 3650))
                QVERIFY2(bar.low >= low && bar.high <= high, symbol);
    }

    void seriesEndAtTheQuote_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("range");
        for (const char *time :
             {"2026-12-04T11:00:30", "2026-12-04T09:15:00", "2026-12-04T18:00:00",
              "2026-12-06T12:00:00", "2026-12-07T08:00:00"}) {
            for (const ChartRange range : {ChartRange::Day, ChartRange::FiveDays, ChartRange::Year})
                QTest::addRow("%s %s", time, rangeTitle(range).data())
                    << QStringLiteral("RELIANCE.NS") << QString::fromLatin1(time)
                    << static_cast<int>(range);
        }
        // The index falling into its live bar, then rising into it.
        for (const char *time : {"2026-12-04T13:07:10", "2026-12-04T09:20:30"})
            QTest::addRow("index %s", time) << QStringLiteral("^NSEI") << QString::fromLatin1(time)
                                            << static_cast<int>(ChartRange::Day);
    }

    void seriesEndAtTheQuote()
    {
        QFETCH(QString, symbol);
        QFETCH(QString, time);
        QFETCH(int, range);
        const Instrument &instrument = *m_universe.find(symbol.toStdString());
        const std::int64_t now = at(qPrintable(time));
        const Quote quote = m_model.quote(instrument, now);
        const ChartSeries s = chartSeries(m_model, instrument, static_cast<ChartRange>(range), now);
        QVERIFY(s.firstShown > 0 && s.shownCount() > 0);
        QCOMPARE(std::pair(s.bars.back().close, s.bars.back().day()),
                 std::pair(quote.last, quote.day));

        // Slots number the shown bars from 0 in time order, inside the axis; warm-up before 0.
        QCOMPARE(s.barSlots.size(), s.bars.size());
        for (std::size_t k = 1; k < s.bars.size(); ++k)
            QVERIFY(s.barSlots[k] > s.barSlots[k - 1]);
        QCOMPARE(s.barSlots[s.firstShown], 0);
        QVERIFY(s.barSlots[s.firstShown - 1] < 0);
        QVERIFY(s.barSlots.back() < s.slotCount);

        // Each day's bars hold exactly that day's high, low and volume; today's so far.
        std::map<std::int64_t, Bar> sums;
        for (const Bar &b : s.bars) {
            QVERIFY(b.low <= std::min(b.open, b.close) && b.high >= std::max(b.open, b.close));
            Bar &sum = sums.try_emplace(b.day(), Bar{0, 0, 0, 1e300, 0, 0}).first->second;
            sum.high = std::max(sum.high, b.high), sum.low = std::min(sum.low, b.low);
            sum.volume += b.volume;
        }
        for (const auto &[day, sum] : sums) {
            const Bar d = day == quote.day ? Bar{0, 0, quote.high, quote.low, 0, quote.volume}
                                           : m_model.dailyBars(instrument, day, day).at(0);
            QCOMPARE(std::tuple(sum.high, sum.low, sum.volume),
                     std::tuple(d.high, d.low, d.volume));
        }
    }

    void rangesSpanTheirMonthsAfterAWarmUpAndFiveDaysFoldMinutesIntoFives()
    {
        const Instrument &stock = *m_universe.find("RELIANCE.NS");
        const std::int64_t now = at("2026-12-04T11:00:00");
        const std::int64_t today = simtime::dayOf(now);
        for (const auto &[range, first, bars] :
             {std::tuple{ChartRange::Month, "2026-11-05", 22},
              std::tuple{ChartRange::ThreeMonths, "2026-09-07", 65},
              std::tuple{ChartRange::SixMonths, "2026-06-05", 131},
              std::tuple{ChartRange::Year, "2025-12-05", 261},
              std::tuple{ChartRange::TwoYears, "2024-12-05", 522}}) {
            const ChartSeries s = chartSeries(m_model, stock, range, now);
            QCOMPARE(s.bars[s.firstShown].day(),
                     simtime::dayOf(at((std::string(first) + "T00:00").c_str())));
            QCOMPARE(std::tuple(static_cast<int>(s.shownCount()), s.slotCount, s.bars.back().day()),
                     std::tuple(bars, bars, today));
            QVERIFY(s.firstShown >= 200); // a 200-day average runs from the left edge
        }

        // Five-minute bars' size and count in a trading week are the chart data's over the
        // service; an always-open market trades all day, weekends too, in bars still that size.
        const MarketModel open(m_universe, 7, TradingCalendar(true));
        const std::int64_t saturday = simtime::dayOf(at("2026-12-05T00:00:00"));
        QCOMPARE(open.minuteBars(*m_universe.find("^NSEI"), saturday).size(), 1440u);
        const ChartSeries always = chartSeries(open, *m_universe.find("RELIANCE.NS"),
                                               ChartRange::FiveDays, at("2026-12-04T18:00:00"));
        QCOMPARE(always.slotMinutes, 5);
        for (std::size_t k = always.firstShown + 1; k < always.bars.size(); ++k)
            if (always.bars[k].day() == always.bars[k - 1].day())
                QCOMPARE(always.bars[k].minute() - always.bars[k - 1].minute(), 5);
    }

    void studiesGiveTheirTextbookValues()
    {
        using namespace indicators;
        const Line rising{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QVERIFY(std::isnan(sma(rising, 3)[1])); // its first window is the bands' middle
        // An EMA starts at the simple average and then closes in on a jump geometrically;
        // values that start undefined (a MACD line) only delay the start of its signal.
        const Line e = ema(Line{4, 4, 4, 10, 10}, 3);
        QVERIFY(std::isnan(e[1]));
        QCOMPARE(Line(e.begin() + 2, e.end()), (Line{4, 7, 8.5}));
        const Bands wide = bollinger(Line{1, 3, 1, 3}, 4, 2);
        QCOMPARE(std::pair(wide.upper[3], wide.lower[3]), std::pair(4.0, 0.0));

        const Macd m = macd(Line(60, 100.0), 26, 12, 9);
        QCOMPARE(m.macd[59], 0.0);
        QVERIFY(std::isnan(m.signal[32]) && !std::isnan(m.signal[33]));
        QCOMPARE(roc(rising, 5)[9], 100.0); // 10 against 5

        std::vector<Bar> up, down;
        for (int k = 0; k < 40; ++k) {
            up.push_back(bar(100 + k, 100.5 + k, 99.5 + k, 100.5 + k, 1000));
            down.push_back(bar(200 - k, 200.5 - k, 199.5 - k, 199.5 - k, 1000));
        }
        // RSI, MFI, stochastic %K and Williams %R, each rising and falling.
        QCOMPARE((Line{rsi(closes(up), 14)[39], rsi(closes(down), 14)[39], mfi(up, 14)[39],
                       mfi(down, 14)[39], stochastic(up, 14, 3, 3).k[39],
                       stochastic(down, 14, 1, 3).k[39], williamsR(up, 14)[39],
                       williamsR(down, 14)[39]}),
                 (Line{100, 0, 100, 0, 100, 0, 0, -100}));
        // The stop trails under a rising market and over a falling one.
        const Line sarUp = parabolicSar(up), sarDown = parabolicSar(down);
        for (std::size_t k = 1; k < up.size(); ++k)
            QVERIFY(sarUp[k] <= up[k].low && sarDown[k] >= down[k].high);
    }

    void optionsOfThePanelAndTheCommandLineAndTheTimeTexts()
    {
        const ChartOptions p = ChartOptions::fromQuery(
            QueryString("/z?s=%5ENSEBANK&t=6m&q=c&l=on&z=l&p=,m5,m5,e10,b,x,m0,"
                        "v&a=,m26-12-9,r14,v,v,vm,zz&c=^BSESN,^NSEI"));
        QCOMPARE(std::tuple(p.symbol, p.range, p.type, p.logScale, p.large),
                 std::tuple(std::string("^NSEBANK"), ChartRange::SixMonths, ChartType::Candles,
                            true, true));
        QVERIFY(p.overlays == (std::vector<ChartItem>{{ChartItem::MovingAverage, {5}},
                                                      {ChartItem::Ema, {10}},
                                                      {ChartItem::Bollinger, {20, 2}},
                                                      {ChartItem::VolumeOverlay, {}}}));
        QVERIFY(p.indicators == (std::vector<ChartItem>{{ChartItem::Macd, {26, 12, 9}},
                                                        {ChartItem::Rsi, {14}},
                                                        {ChartItem::Volume, {}},
                                                        {ChartItem::VolumeAverage, {20}}}));
        QCOMPARE(p.compare, (std::vector<std::string>{"^BSESN", "^NSEI"}));

        // Anything unknown falls back to the panel's first choices.
        const ChartOptions sloppy =
            ChartOptions::fromQuery(QueryString("/z?s=INFY&t=9y&q=x&l=1&z=xl"));
        QVERIFY(sloppy.range == ChartRange::Day && sloppy.type == ChartType::Line &&
                !sloppy.logScale && !sloppy.large && sloppy.overlays.empty() &&
                sloppy.indicators.empty() && sloppy.compare.empty());

        // The command line.
        std::string error;
        const std::optional<SimOptions> o =
            parse("--port 8123 --seed=42 --clock 2026-12-04T11:00:00 --always-open --access-log "
                  "/tmp/a.log --data-dir /tmp/data --latency-ms 250 --fault short --short-lines=3",
                  error);
        QVERIFY(o);
        QCOMPARE(std::tuple(o->port, o->seed, simtime::formatIso(o->clock.value()), o->alwaysOpen),
                 std::tuple(8123, 42u, std::string("2026-12-04T11:00:00"), true));
        QCOMPARE(o->accessLog + " " + o->dataDir, std::string("/tmp/a.log /tmp/data"));
        QCOMPARE(std::tuple(o->reply.latencyMs, o->reply.fault, o->reply.shortLines),
                 std::tuple(250, FaultKind::Short, 3));
        const std::optional<SimOptions> none = parse("", error);
        QVERIFY(none && !none->clock && none->port == 0 && none->reply.fault == FaultKind::None);
        for (const char *bad :
             {"--port 70000", "--port", "--seed -1", "--clock 2026-12-04",
              "--clock 2026-13-01T10:00:00", "--fault fire", "--latency-ms soon", "--colour"}) {
            error.clear();
            QVERIFY2(!parse(bad, error) && !error.empty(), bad);
        }

        // Times: a leap day, morning and noon, before 1970 (the walk reaches back a year).
        QCOMPARE(simtime::formatIso(simtime::parseIso("2024-02-29 00:05").value()) + " " +
                     simtime::formatQuoteTime(11 * 60) + " " +
                     simtime::formatQuoteTime(12 * 60 + 5) + " " +
                     simtime::formatQuoteDate(simtime::daysFromCivil({1969, 12, 31})),
                 std::string("2024-02-29T00:05:00 11:00am 12:05pm 12/31/1969"));
    }

private:
    Universe m_universe;
    MarketModel m_model{m_universe, 7, TradingCalendar()};
};

QTEST_APPLESS_MAIN(MarketModelTest)
#include "marketmodel_test.moc"
