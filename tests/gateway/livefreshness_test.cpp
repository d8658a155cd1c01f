#include "indiatime.h"
#include "quotefreshness.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::int64_t dayOf(int year, int month, int day)
{
    return indiatime::dayOfDate({year, month, day});
}

// An instant given in India's local time.
std::int64_t india(int year, int month, int day, int hour, int minute)
{
    return dayOf(year, month, day) * 86400 + hour * 3600 + minute * 60 - indiatime::offsetSeconds;
}

LiveQuote stamped(std::int64_t at, std::string source = "chart")
{
    LiveQuote q;
    q.symbol = "BEL.NS";
    q.last = 446.1;
    q.at = at;
    q.source = std::move(source);
    return q;
}

MarketCalendar holidays()
{
    std::ifstream in(VANTREL_HOLIDAYS);
    std::ostringstream text;
    text << in.rdbuf();
    MarketCalendar calendar;
    EXPECT_TRUE(calendar.readHolidays(text.str()));
    return calendar;
}

std::string label(const LiveQuote &q, std::int64_t now)
{
    return labelOf(freshnessOf(q, holidays(), now));
}

} // namespace

// 2026-12-07 is a Monday; 2026-12-25, a Friday, is a holiday.
TEST(QuoteFreshness, OnlyAQuoteOfTodaysOpenSessionAFewMinutesOldIsLive)
{
    const std::int64_t now = india(2026, 12, 7, 11, 0);
    EXPECT_EQ(label(stamped(india(2026, 12, 7, 10, 57)), now), "LIVE via chart");
    EXPECT_EQ(label(stamped(now + 30), now), "LIVE via chart"); // the clocks' difference
    EXPECT_EQ(label(stamped(india(2026, 12, 7, 10, 40)), now), "DELAYED 20 min");
    // Three days old, and a reply of another year, keep the date they closed.
    EXPECT_EQ(label(stamped(india(2026, 12, 4, 15, 30)), now), "END OF DAY 12/4/2026");
    EXPECT_EQ(label(stamped(india(2025, 6, 20, 15, 30)), now), "END OF DAY 6/20/2025");
    LiveQuote timeless = stamped(0);
    timeless.at.reset();
    EXPECT_EQ(label(timeless, now), "END OF DAY");
}

TEST(QuoteFreshness, TheSourcesOwnDelayAndMarketStateAreBelieved)
{
    const std::int64_t now = india(2026, 12, 7, 11, 0);
    LiveQuote delayed = stamped(india(2026, 12, 7, 10, 59), "batch");
    delayed.delayedMinutes = 15;
    delayed.marketState = "REGULAR";
    EXPECT_EQ(label(delayed, now), "DELAYED 15 min");
    LiveQuote closed = stamped(india(2026, 12, 7, 10, 59), "batch");
    closed.marketState = "CLOSED";
    EXPECT_NE(freshnessOf(closed, holidays(), now).kind, Freshness::Live);
    LiveQuote file = stamped(india(2026, 12, 7, 10, 59), "end-of-day");
    file.closingPrice = true;
    EXPECT_NE(freshnessOf(file, holidays(), now).kind, Freshness::Live);
}

TEST(QuoteFreshness, OutsideTheSessionAQuoteIsTheLastClose)
{
    const std::int64_t close = india(2026, 12, 7, 15, 30);
    EXPECT_EQ(label(stamped(close - 120), close), "LIVE via chart");
    EXPECT_EQ(label(stamped(close), india(2026, 12, 7, 15, 31) + 1),
              "CLOSED \u00b7 last close 12/7/2026");
    EXPECT_EQ(label(stamped(india(2026, 12, 7, 16, 0)), india(2026, 12, 7, 16, 1)),
              "CLOSED \u00b7 last close 12/7/2026");
    // Before Tuesday's open, Monday's close; over the weekend and before Monday's open, Friday's.
    EXPECT_EQ(label(stamped(close), india(2026, 12, 8, 9, 14)),
              "CLOSED \u00b7 last close 12/7/2026");
    EXPECT_EQ(label(stamped(india(2026, 12, 11, 15, 30)), india(2026, 12, 13, 12, 0)),
              "CLOSED \u00b7 last close 12/11/2026");
    EXPECT_EQ(label(stamped(india(2026, 12, 4, 15, 30)), india(2026, 12, 7, 9, 0)),
              "CLOSED \u00b7 last close 12/4/2026");
    // Friday's close seen on Monday afternoon is no longer the last close.
    EXPECT_EQ(label(stamped(india(2026, 12, 4, 15, 30)), india(2026, 12, 7, 15, 45)),
              "END OF DAY 12/4/2026");
}

TEST(QuoteFreshness, AHolidayIsNeverLiveAndAYearWithoutAListTradesOnWeekdays)
{
    const MarketCalendar calendar = holidays();
    const std::int64_t christmas = india(2026, 12, 25, 11, 0);
    EXPECT_FALSE(calendar.sessionOpen(christmas));
    EXPECT_NE(freshnessOf(stamped(christmas - 60), calendar, christmas).kind, Freshness::Live);
    EXPECT_EQ(label(stamped(india(2026, 12, 24, 15, 30)), christmas),
              "CLOSED \u00b7 last close 12/24/2026");
    EXPECT_EQ(calendar.lastClosedSession(india(2026, 12, 28, 9, 0)), dayOf(2026, 12, 24));
    // 2027 has no list: Republic Day, a Tuesday, counts as a trading day.
    EXPECT_TRUE(calendar.sessionOpen(india(2027, 1, 26, 11, 0)));
    EXPECT_FALSE(calendar.sessionOpen(india(2026, 1, 26, 11, 0)));

    MarketCalendar bad;
    EXPECT_FALSE(bad.readHolidays("date,weekday,occasion\n2026-13-01,Monday,None\n"
                                  "2026-03-03,Tuesday,Holi\r\n"));
    EXPECT_FALSE(bad.tradingDay(dayOf(2026, 3, 3)));
}

TEST(QuoteFreshness, AnAnswerIsLabelledByItsLeastFreshQuote)
{
    auto at = [](Freshness::Kind kind, int minutes, std::int64_t day, std::string source) {
        return Freshness{kind, minutes, day, std::move(source)};
    };
    const Freshness chart = at(Freshness::Live, 0, -1, "chart");
    const Freshness batch = at(Freshness::Live, 0, -1, "batch");
    const Freshness late5 = at(Freshness::Delayed, 5, -1, "");
    const Freshness late15 = at(Freshness::Delayed, 15, -1, "");
    const Freshness closed = at(Freshness::Closed, 0, dayOf(2026, 12, 4), "");
    const Freshness oldFile = at(Freshness::EndOfDay, 0, dayOf(2025, 6, 20), "");
    const Freshness newFile = at(Freshness::EndOfDay, 0, dayOf(2026, 12, 4), "");
    EXPECT_EQ(answerLabel({}), "");
    EXPECT_EQ(answerLabel({batch, chart, batch}), "LIVE via batch, chart");
    EXPECT_EQ(answerLabel({chart, late15, late5}), "DELAYED 15 min");
    EXPECT_EQ(answerLabel({closed, chart}), "CLOSED \u00b7 last close 12/4/2026");
    EXPECT_EQ(answerLabel({newFile, oldFile, closed, chart}), "END OF DAY 6/20/2025");
}
