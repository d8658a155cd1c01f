#include "core/net/cnumber.h"
#include "core/net/displayformat.h"
#include "core/net/quoteorigin.h"
#include "core/net/quoteparser.h"
#include "core/net/quotesanity.h"
#include "core/shell/indexboard.h"
#include "core/shell/refreshplan.h"
#include "core/toppers/toppersfilters.h"
#include "core/toppers/toppersstatus.h"
#include "support/listgroup.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <tuple>

namespace {
using namespace std::string_literals;
using std::tuple;
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
const std::string Reliance =
    R"("RELIANCE.NS",1234.50,"6/27/2008","3:59pm",-12.30,1240.00,1251.00,1230.10,123456,900.00,1600.00)";

auto fields(const QuoteRecord &r)
{
    return tuple(r.symbol, r.last, r.date, r.time, r.change, r.open, r.high, r.low, r.volume,
                 r.yearLow, r.yearHigh);
}
} // namespace

TEST(QuoteParser, ReadsFullShortAndOverlongLinesAndOnlySaneRecordsPass)
{
    QuoteRecord r;
    parseQuoteLine(Reliance, r);
    EXPECT_EQ(fields(r), tuple(std::string("RELIANCE.NS"), 1234.50, std::string("6/27/2008"),
                               std::string("3:59PM"), -12.30f, 1240.00, 1251.00, 1230.10, 123456,
                               900.00, 1600.00));
    const QuoteRecord reliance = r;
    parseQuoteLine(R"("XYZ.NS",N/A,"N/A","N/A",N/A,N/A,N/A,N/A,N/A,N/A,N/A)", r);
    EXPECT_EQ(fields(r), tuple(std::string("XYZ.NS"), 0.0, std::string("N/A"), std::string("N/A"),
                               0.f, 0.0, 0.0, 0.0, 0, 0.0, 0.0));
    EXPECT_EQ(r.missing, 0xff) << "every numeric field is N/A, none is a zero";

    const std::string nine = R"("A.BO",10,"1/2/2026","9:15am",1,2,3,4,5)";
    r.yearLow = 5;
    r.missing = quotefield::YearHigh;
    parseQuoteLine(nine + ",100,200", r, quotefields::Short);
    EXPECT_EQ(r.yearLow, 5) << "a nine-field read leaves the year range alone";
    EXPECT_EQ(r.missing, quotefield::YearHigh);
    parseQuoteLine(nine, r);
    EXPECT_EQ(r.missing, quotefield::YearLow | quotefield::YearHigh)
        << "a nine-field line read as eleven has no year range";

    r.symbol = "old";
    parseQuoteLine("", r);
    EXPECT_EQ(r.symbol, "");
    parseQuoteLine(R"("A,B",5)", r);
    EXPECT_EQ(r.symbol, "A") << "quoted commas split fields too";

    const std::string good = R"("INFY.NS",1500.25,"12/4/2026","3:30pm",5,1,2,3,4,5,6)";
    parseQuoteLine(good + std::string(quotefields::MaxLineBytes - good.size(), ' '), r);
    EXPECT_EQ(tuple(r.symbol, r.yearHigh), tuple("INFY.NS", 6)) << "at the limit it is read";
    parseQuoteLine(good + std::string(quotefields::MaxLineBytes - good.size() + 1, ' '), r);
    EXPECT_EQ(fields(r), fields(QuoteRecord{}));

    // Only a record that could be real may go into the data files.
    EXPECT_TRUE(isSaneQuote(reliance));
    const std::pair<const char *, void (*)(QuoteRecord &)> broken[] = {
        {"N/A date", [](QuoteRecord &q) { q.date = "N/A"; }},
        {"NaN change", [](QuoteRecord &q) { q.change = std::numeric_limits<float>::quiet_NaN(); }},
        {"absurd last", [](QuoteRecord &q) { q.last = 1e200; }},
        {"negative volume", [](QuoteRecord &q) { q.volume = -1; }},
        {"tab in the symbol", [](QuoteRecord &q) { q.symbol = "RELIANCE\t.NS"; }},
        {"DEL in the time", [](QuoteRecord &q) { q.time = "3:59\x7fPM"; }},
        {"huge symbol", [](QuoteRecord &q) { q.symbol.assign(65, 'S'); }},
        {"no price", [](QuoteRecord &q) { q.missing = quotefield::Last; }},
    };
    for (const auto &[what, spoil] : broken) {
        QuoteRecord spoiled = reliance;
        spoil(spoiled);
        EXPECT_FALSE(isSaneQuote(spoiled)) << what;
    }
    for (const char *date : {"06/07/2026", "12/31/2026", "2/29/2024", "2/29/2000", "1/1/1900"})
        EXPECT_TRUE(isQuoteDate(date)) << date;
    for (const char *date : {"++-", "2/29/2026", "2/29/1900", "13/1/2026", "0/10/2026", "4/31/2026",
                             "4/0/2026", "6/27/20081", "6/27/1899", "6-27-2008"})
        EXPECT_FALSE(isQuoteDate(date)) << date;
}

// Only a whole field is a finite number; the record is reused, so N/A goes when a value comes.
TEST(QuoteParser, AFieldIsANumberOnlyWhenItIsWhollyOne)
{
    QuoteRecord r;
    const auto price = [&r](const std::string &text, std::optional<double> expected) {
        parseQuoteLine("\"S\"," + text + ",\"1/2/2026\",\"3:30pm\",1,2,3,4,5,6,7", r);
        EXPECT_EQ(r.hasPrice(), expected.has_value()) << text;
        EXPECT_EQ(r.last, expected.value_or(0)) << text;
        EXPECT_EQ(r.missing & ~quotefield::Last, 0) << text;
    };
    for (const auto &[text, value] : {tuple("1234.50", 1234.5), tuple("  -3e1 ", -30.0),
                                      tuple("+7", 7.0), tuple(".5", 0.5), tuple("0", 0.0)})
        price(text, value);
    for (const std::string &junk : {"12.5abc"s, "+-1"s, "+"s, ""s, "inf"s, "nan"s, "1e999"s})
        price(junk, std::nullopt);
    const tuple<const char *, std::optional<std::int32_t>> volumes[] = {
        {"2147483647", INT32_MAX},    {"+12", 12}, {"0", 0},
        {"2147483648", {}},           {"-5", {}},  {"12.9", {}},
        {"99999999999999999999", {}}, {"1e3", {}}};
    for (const auto &[text, volume] : volumes) {
        parseQuoteLine(std::string("S,1,d,t,1,1,1,1,") + text, r);
        EXPECT_EQ(r.has(quotefield::Volume), volume.has_value()) << text;
        EXPECT_EQ(r.volume, volume.value_or(0)) << text;
    }
    parseQuoteLine("S,1,d,t,-3.4e38,1,1,1,1", r);
    EXPECT_FLOAT_EQ(r.change, -3.4e38f) << "the largest floats still fit";
    parseQuoteLine("S,1,d,t,1e39,1,1,1,1", r);
    EXPECT_FALSE(r.has(quotefield::Change)) << "a change no float holds";
}

TEST(QuoteParser, DecimalCommaLocaleDoesNotChangeReading)
{
    const char *old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    // The build makes this locale beside the test (LOCPATH); without it there is nothing to show.
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no de_DE.UTF-8 locale: the build could not make one (is the "
                        "\"locales\" package installed?)";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_DOUBLE_EQ(cStrToDouble("1234.50"), 1234.5);
    QuoteRecord r;
    parseQuoteLine(Reliance, r);
    EXPECT_EQ(r.last, 1234.5);
    parseQuoteLine("S,1234,50", r);
    EXPECT_EQ(r.last, 1234) << "a decimal comma is a field's end, never its point";
    // Nor writing: the toppers limits the panel shows are read back by the same rules.
    ToppersFilters filters;
    filters.priceMin = 1.5f;
    EXPECT_EQ(toppersfilter::texts(filters)[toppersfilter::PriceMin], "1.5");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

// Rounding may carry into a new group; no number shows as N/A does.
TEST(DisplayFormat, IndianGroupingWithTheSignInFront)
{
    for (const auto &[value, text] :
         {tuple(123456789012.0, "1,23,45,67,89,012.00"),
          tuple(1e20, "10,00,00,00,00,00,00,00,00,000.00"), tuple(1000.0, "1,000.00"),
          tuple(1234567.891, "12,34,567.89"), tuple(100000.0, "1,00,000.00"), tuple(0.0, "0.00"),
          tuple(-999.999, "-1,000.00"), tuple(-0.004, "-0.00"), tuple(Inf, "0.00"),
          tuple(NaN, "0.00")})
        EXPECT_EQ(formatDisplay(value), text) << text;
    // Printf's two decimals, halfway values too; the rules judge exactly printf's number.
    for (double v : {0.005, 0.015, 0.125, 2.675, 1.005, 1e15 + 0.3, 24017.355, 84.125}) {
        char expected[400];
        std::snprintf(expected, sizeof expected, "%.2f", v);
        std::string digits = formatDisplay(v);
        std::erase(digits, ',');
        EXPECT_EQ(digits, expected);
        EXPECT_EQ(shown(v), std::strtod(expected, nullptr)) << expected;
    }
    EXPECT_EQ(shown(Inf), 0);
    // The percent change divides by the previous close; last equal to change means none.
    EXPECT_EQ(tuple(percentChange(110, 10.f), percentChange(90, -10.f), percentChange(5, 5.f),
                    percentChange(0, 0.f)),
              tuple(10.f, -10.f, 0.f, 0.f));
}

// The live gateway's word on each quote's source and time, and the tooltips made of it.
TEST(QuoteOrigin, EachEntryKeepsItsPositionJunkIsUnknownAndTipsSayTheIndianDate)
{
    constexpr std::int64_t Close5Dec2026 = 1796464800; // 15:30 in India
    constexpr std::int64_t Early5Dec2026 = 1796409900; // 00:15 in India, still the 4th in UTC
    const auto origins = parseQuoteOrigins("live;batch;1796464000;0,,eod;end-of-day;1796464800;0,"
                                           "delayed;chart;12x;0,closed;;1;0,stale;chart;1;0,"
                                           "live;batch;1;0;9,delayed;chart;1796409900;15");
    ASSERT_EQ(origins.size(), 8u);
    EXPECT_EQ(origins[0], (QuoteOrigin{QuoteOrigin::Live, "batch", 1796464000, 0}));
    for (std::size_t k : {1, 3, 4, 5, 6})
        EXPECT_EQ(origins[k], QuoteOrigin{}) << k;
    EXPECT_EQ(origins[7], (QuoteOrigin{QuoteOrigin::Delayed, "chart", Early5Dec2026, 15}));
    EXPECT_TRUE(parseQuoteOrigins("").empty());

    const tuple<QuoteOrigin, const char *> tips[] = {
        {{QuoteOrigin::Closed, "batch", Close5Dec2026, 0}, "Close of 05-Dec-2026 via batch"},
        {{QuoteOrigin::Delayed, "chart", Early5Dec2026, 15},
         "Delayed 15 min, 00:15 of 05-Dec-2026 via chart"},
        {{QuoteOrigin::Live, "batch", Close5Dec2026, 0}, ""},
        {QuoteOrigin{}, ""}};
    for (const auto &[origin, tip] : tips)
        EXPECT_EQ(quoteOriginTip(origin), tip);
    EXPECT_EQ(toppersstatus::sourceLine({}), "Prices: no end-of-day file answered");
}

// Cases of putting a request together and dealing its reply out that e2e can't stage.
TEST(RefreshPlan, ClosedGroupsAreSkippedShortRepliesStopAndRecordsTakeTheirOwnLinesOrigin)
{
    QuoteGroupRegistry registry;
    IndexBoard board;
    ListGroup watch({"A.NS", "B.NS"});
    ListGroup world({"^DJI"});
    registry.attach(GroupSlot::MainBar, &board);
    registry.attach(GroupSlot::WatchList, &watch);
    registry.attach(GroupSlot::World, &world);
    // The main bar's three lines followed by the given ones.
    const auto reply = [&registry](const RefreshPlan &plan,
                                   std::vector<std::pair<std::string, double>> more) {
        more.insert(more.begin(), {{"^NSEI", 1}, {"^BSESN", 2}, {"USDINR=X", 3}});
        std::vector<std::string> lines;
        for (const auto &[symbol, last] : more)
            lines.push_back("\"" + symbol + "\"," + std::to_string(last) +
                            ",\"1/2/2026\",\"3:30pm\",1,2,3,4,5,6,7");
        return distributeReply(plan, lines, registry);
    };
    const RefreshPlan plan = registry.plan("");
    EXPECT_EQ(plan.url, "/d/quotes.csv?s=^NSEI,^BSESN,USDINR=X,A.NS,B.NS,^DJI&f=sl1d1t1c1ohgvjk");
    registry.detach(GroupSlot::WatchList, &watch);
    ASSERT_TRUE(reply(plan, {{"A.NS", 4}, {"B.NS", 5}, {"^DJI", 6}}));
    EXPECT_EQ(watch.arrivals, 0);
    EXPECT_DOUBLE_EQ(world.records[0].last, 6);

    // A panel closed and opened again is another group: the old request's lines are not its.
    ListGroup reopened({"^DJI"});
    const RefreshPlan second = registry.plan("");
    registry.detach(GroupSlot::World, &world);
    registry.attach(GroupSlot::World, &reopened);
    ASSERT_TRUE(reply(second, {{"^DJI", 7}}));
    EXPECT_EQ(reopened.arrivals, 0);

    registry.detach(GroupSlot::World, &reopened);
    registry.attach(GroupSlot::WatchList, &watch);
    EXPECT_FALSE(reply(registry.plan(""), {{"A.NS", 4}}));
    EXPECT_DOUBLE_EQ(watch.records[0].last, 4) << "lines parsed before the gap keep their values";
    EXPECT_EQ(watch.arrivals, 0) << "a group cut short is not redisplayed";

    // Origins follow the lines, past empty symbols; a reply without any leaves none behind.
    watch.setSymbols({"A.NS", "", "B.NS"});
    EXPECT_TRUE(reply(registry.plan(""), {{"A.NS", 4}, {"B.NS", 5}}));
    EXPECT_DOUBLE_EQ(watch.records[2].last, 5);
    EXPECT_EQ(watch.arrivals, 1);

    registry.detach(GroupSlot::MainBar, &board);
    const RefreshPlan bare = registry.plan("");
    const std::vector<std::string> lines{"\"A.NS\",1", "\"B.NS\",2"};
    ASSERT_TRUE(
        distributeReply(bare, lines, registry, parseQuoteOrigins(",eod;end-of-day;1796464800;0")));
    EXPECT_EQ(watch.records[0].origin.kind, QuoteOrigin::Unknown);
    EXPECT_EQ(watch.records[2].origin.kind, QuoteOrigin::EndOfDay);
    ASSERT_TRUE(distributeReply(bare, lines, registry));
    EXPECT_EQ(watch.records[2].origin.kind, QuoteOrigin::Unknown);
}
