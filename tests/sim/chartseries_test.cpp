#include "chartoptions.h"
#include "chartseries.h"
#include "indicators.h"
#include "querystring.h"
#include "simtime.h"

#include <QTest>

#include <cmath>

namespace {
std::int64_t at(const char *iso)
{
    return *simtime::parseIso(iso);
}

const CompanyRow Reliance{"Reliance Industries Limited", "RELIANCE", "500325"};

ChartBar bar(double open, double high, double low, double close, std::int64_t volume = 100)
{
    return {0, 0, open, high, low, close, volume, 0};
}

bool undefined(double v)
{
    return std::isnan(v);
}
} // namespace

// What a chart draws, in process: its bars agree with the quote service at every moment, and
// its studies give the textbook values on series whose answer is known.
class ChartSeriesTest : public QObject
{
    Q_OBJECT
public:
    ChartSeriesTest() { m_universe.addCompanies({Reliance}); }

private slots:
    void seriesEndAtTheQuote_data();
    void seriesEndAtTheQuote();
    void rangesSpanTheirMonthsAfterAWarmUp();
    void fiveDaysFoldMinutesIntoFives();
    void averagesAndBands();
    void oscillatorsAtTheirBounds();
    void optionsReadAsThePanelSendsThem();

private:
    Universe m_universe;
    MarketModel m_model{m_universe, 7, TradingCalendar()};
};

void ChartSeriesTest::seriesEndAtTheQuote_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("time");
    QTest::addColumn<int>("range");
    for (const char *time : {"2026-12-04T11:00:30", "2026-12-04T09:15:00", "2026-12-04T18:00:00",
                             "2026-12-06T12:00:00", "2026-12-07T08:00:00"}) {
        for (const ChartRange range : {ChartRange::Day, ChartRange::FiveDays, ChartRange::Year})
            QTest::addRow("%s %s", time, rangeTitle(range).data())
                << QStringLiteral("RELIANCE.NS") << QString::fromLatin1(time)
                << static_cast<int>(range);
    }
    QTest::newRow("index") << QStringLiteral("^NSEI") << QStringLiteral("2026-12-04T13:07:10")
                           << static_cast<int>(ChartRange::Day);
}

void ChartSeriesTest::seriesEndAtTheQuote()
{
    QFETCH(QString, symbol);
    QFETCH(QString, time);
    QFETCH(int, range);
    const Instrument &instrument = *m_universe.find(symbol.toStdString());
    const std::int64_t now = at(qPrintable(time));
    const Quote quote = m_model.quote(instrument, now);
    const ChartSeries s = chartSeries(m_model, instrument, static_cast<ChartRange>(range), now);
    QVERIFY(s.firstShown > 0 && s.shownCount() > 0);
    QCOMPARE(s.bars.back().close, quote.last);
    QCOMPARE(s.bars.back().day, quote.day);

    // Slots number the shown bars from 0 in time order, inside the axis; warm-up before 0.
    for (std::size_t k = 1; k < s.bars.size(); ++k)
        QVERIFY(s.bars[k].slot > s.bars[k - 1].slot);
    QCOMPARE(s.bars[s.firstShown].slot, 0);
    QVERIFY(s.bars[s.firstShown - 1].slot < 0);
    QVERIFY(s.bars.back().slot < s.slotCount);

    // Today's bars hold exactly the day's high, low and volume so far.
    double high = 0, low = 1e300;
    std::int64_t volume = 0;
    for (const ChartBar &b : s.bars) {
        QVERIFY(b.low <= std::min(b.open, b.close) && b.high >= std::max(b.open, b.close));
        if (b.day != quote.day)
            continue;
        high = std::max(high, b.high);
        low = std::min(low, b.low);
        volume += b.volume;
    }
    QCOMPARE(high, quote.high);
    QCOMPARE(low, quote.low);
    QCOMPARE(volume, quote.volume);
}

void ChartSeriesTest::rangesSpanTheirMonthsAfterAWarmUp()
{
    const Instrument &stock = *m_universe.find("RELIANCE.NS");
    const std::int64_t now = at("2026-12-04T11:00:00");
    const std::int64_t today = simtime::dayOf(now);
    for (const auto &[range, first, bars] : {std::tuple{ChartRange::Month, "2026-11-05", 22},
                                             std::tuple{ChartRange::ThreeMonths, "2026-09-07", 65},
                                             std::tuple{ChartRange::SixMonths, "2026-06-05", 131},
                                             std::tuple{ChartRange::Year, "2025-12-05", 261},
                                             std::tuple{ChartRange::TwoYears, "2024-12-05", 522}}) {
        const ChartSeries s = chartSeries(m_model, stock, range, now);
        QCOMPARE(s.bars[s.firstShown].day,
                 simtime::dayOf(at((std::string(first) + "T00:00").c_str())));
        QCOMPARE(static_cast<int>(s.shownCount()), bars);
        QCOMPARE(s.slotCount, bars);
        QVERIFY(s.firstShown >= 200); // a 200-day average runs from the left edge
        QCOMPARE(s.bars.back().day, today);
    }
    const ChartSeries day = chartSeries(m_model, stock, ChartRange::Day, now);
    QCOMPARE(day.slotCount, 375);
    QCOMPARE(day.shownCount(), 106u); // 09:15 to 11:00, the running minute included
    QCOMPARE(day.bars[day.firstShown].minute, 9 * 60 + 15);
}

void ChartSeriesTest::fiveDaysFoldMinutesIntoFives()
{
    const Instrument &stock = *m_universe.find("RELIANCE.NS");
    const std::int64_t now = at("2026-12-04T18:00:00");
    const ChartSeries s = chartSeries(m_model, stock, ChartRange::FiveDays, now);
    QCOMPARE(s.slotMinutes, 5);
    QCOMPARE(s.slotCount, 5 * 75);
    QCOMPARE(s.shownCount(), 5u * 75);
    const std::int64_t monday = simtime::dayOf(at("2026-11-30T00:00:00"));
    QCOMPARE(s.bars[s.firstShown].day, monday);
    const std::vector<DailyBar> days = m_model.dailyBars(stock, monday, monday + 4);
    for (const DailyBar &d : days) {
        std::int64_t volume = 0;
        double high = 0;
        for (const ChartBar &b : s.bars)
            if (b.day == d.day) {
                volume += b.volume;
                high = std::max(high, b.high);
                QCOMPARE((b.minute - (9 * 60 + 15)) % 5, 0);
            }
        QCOMPARE(volume, d.volume);
        QCOMPARE(high, d.high);
    }
}

void ChartSeriesTest::averagesAndBands()
{
    using namespace indicators;
    const Line rising{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const Line average = sma(rising, 3);
    QVERIFY(undefined(average[0]) && undefined(average[1]));
    QCOMPARE(average[2], 2.0);
    QCOMPARE(average[9], 9.0);
    // An EMA starts at the simple average and then closes in on a jump geometrically.
    const Line step{4, 4, 4, 10, 10};
    const Line e = ema(step, 3);
    QVERIFY(undefined(e[1]));
    QCOMPARE(e[2], 4.0);
    QCOMPARE(e[3], 7.0);
    QCOMPARE(e[4], 8.5);
    // Values that start undefined (a MACD line) only delay the start.
    const Line late = ema(Line{NAN, NAN, 1, 2, 3}, 2);
    QVERIFY(undefined(late[2]));
    QCOMPARE(late[3], 1.5);

    const Bands flat = bollinger(Line(30, 50.0), 20, 2);
    QCOMPARE(flat.upper[29], 50.0);
    QCOMPARE(flat.lower[29], 50.0);
    const Bands wide = bollinger(Line{1, 3, 1, 3}, 4, 2);
    QCOMPARE(wide.upper[3], 4.0);
    QCOMPARE(wide.lower[3], 0.0);

    const Macd m = macd(Line(60, 100.0), 26, 12, 9);
    QCOMPARE(m.macd[59], 0.0);
    QVERIFY(undefined(m.signal[32]) && !undefined(m.signal[33]));
    QCOMPARE(roc(rising, 5)[9], 100.0); // 10 against 5
}

void ChartSeriesTest::oscillatorsAtTheirBounds()
{
    using namespace indicators;
    std::vector<ChartBar> up, down;
    for (int k = 0; k < 40; ++k) {
        up.push_back(bar(100 + k, 100.5 + k, 99.5 + k, 100.5 + k, 1000));
        down.push_back(bar(200 - k, 200.5 - k, 199.5 - k, 199.5 - k, 1000));
    }
    QCOMPARE(rsi(closes(up), 14)[39], 100.0);
    QCOMPARE(rsi(closes(down), 14)[39], 0.0);
    QVERIFY(undefined(rsi(closes(up), 14)[13]));
    QCOMPARE(mfi(up, 14)[39], 100.0);
    QCOMPARE(mfi(down, 14)[39], 0.0);
    QCOMPARE(stochastic(up, 14, 3, 3).k[39], 100.0);
    QCOMPARE(stochastic(down, 14, 1, 3).k[39], 0.0);
    QCOMPARE(williamsR(up, 14)[39], 0.0);
    QCOMPARE(williamsR(down, 14)[39], -100.0);
    // The stop trails under a rising market and over a falling one.
    const Line sarUp = parabolicSar(up), sarDown = parabolicSar(down);
    for (std::size_t k = 1; k < up.size(); ++k) {
        QVERIFY(sarUp[k] <= up[k].low);
        QVERIFY(sarDown[k] >= down[k].high);
    }
}

void ChartSeriesTest::optionsReadAsThePanelSendsThem()
{
    const ChartOptions o =
        ChartOptions::fromQuery(QueryString("/z?s=%5ENSEBANK&t=6m&q=c&l=on&z=l&p=,m5,m5,e10,b,x,m0,"
                                            "v&a=,m26-12-9,r14,v,v,vm,zz&c=^BSESN,^NSEI"));
    QCOMPARE(o.symbol, std::string("^NSEBANK"));
    QCOMPARE(o.range, ChartRange::SixMonths);
    QCOMPARE(o.type, ChartType::Candles);
    QVERIFY(o.logScale && o.large);
    const std::vector<ChartItem> overlays{{ChartItem::MovingAverage, {5}},
                                          {ChartItem::Ema, {10}},
                                          {ChartItem::Bollinger, {20, 2}},
                                          {ChartItem::VolumeOverlay, {}}};
    QVERIFY(o.overlays == overlays);
    const std::vector<ChartItem> studies{{ChartItem::Macd, {26, 12, 9}},
                                         {ChartItem::Rsi, {14}},
                                         {ChartItem::Volume, {}},
                                         {ChartItem::VolumeAverage, {20}}};
    QVERIFY(o.indicators == studies);
    QCOMPARE(o.compare, (std::vector<std::string>{"^BSESN", "^NSEI"}));

    // Anything unknown falls back to the panel's first choices.
    const ChartOptions sloppy = ChartOptions::fromQuery(QueryString("/z?s=INFY&t=9y&q=x&l=1&z=xl"));
    QCOMPARE(sloppy.range, ChartRange::Day);
    QCOMPARE(sloppy.type, ChartType::Line);
    QVERIFY(!sloppy.logScale && !sloppy.large);
    QVERIFY(sloppy.overlays.empty() && sloppy.indicators.empty() && sloppy.compare.empty());
}

QTEST_APPLESS_MAIN(ChartSeriesTest)
#include "chartseries_test.moc"
