#include "core/net/cnumber.h"
#include "core/net/quoteparser.h"
#include "core/net/quotesanity.h"
#include "core/toppers/toppersfilters.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <tuple>

namespace {
const std::string Reliance =
    R"("RELIANCE.NS",1234.50,"6/27/2008","3:59pm",-12.30,1240.00,1251.00,1230.10,123456,900.00,1600.00)";

// Every parsed field of a record, to compare in one go.
auto fields(const QuoteRecord &r)
{
    return std::make_tuple(r.symbol, r.last, r.date, r.time, r.change, r.open, r.high, r.low,
                           r.volume, r.yearLow, r.yearHigh);
}
} // namespace

TEST(QuoteParser, ParsesAFullLineAndMarksWhatIsNotAvailable)
{
    QuoteRecord r;
    parseQuoteLine(Reliance, r);
    EXPECT_EQ(fields(r), std::make_tuple(std::string("RELIANCE.NS"), 1234.50,
                                         std::string("6/27/2008"), std::string("3:59PM"), -12.30f,
                                         1240.00, 1251.00, 1230.10, 123456, 900.00, 1600.00));
    EXPECT_EQ(r.missing, 0);
    parseQuoteLine(R"("XYZ.NS",N/A,"N/A","N/A",N/A,N/A,N/A,N/A,N/A,N/A,N/A)", r);
    EXPECT_EQ(fields(r), std::make_tuple(std::string("XYZ.NS"), 0.0, std::string("N/A"),
                                         std::string("N/A"), 0.f, 0.0, 0.0, 0.0, 0, 0.0, 0.0));
    EXPECT_EQ(r.missing, 0xff) << "every numeric field is N/A, none is a zero";
    EXPECT_FALSE(r.hasPrice());
}

TEST(QuoteParser, ShortLinesFillWithNothingUnlessReadAsNineFields)
{
    const std::string nine = R"("A.BO",10,"1/2/2026","9:15am",1,2,3,4,5)";
    QuoteRecord r;
    r.yearLow = 5;
    r.missing = quotefield::YearHigh;
    parseQuoteLine(nine + ",100,200", r, quotefields::Short);
    EXPECT_EQ(r.yearLow, 5) << "a nine-field read leaves the year range alone";
    EXPECT_EQ(r.missing, quotefield::YearHigh);
    parseQuoteLine(nine, r);
    EXPECT_EQ(r.missing, quotefield::YearLow | quotefield::YearHigh)
        << "a nine-field line read as eleven has no year range";
    EXPECT_EQ(r.volume, 5);

    r.symbol = "old";
    parseQuoteLine("", r);
    EXPECT_EQ(r.symbol, "");
    EXPECT_FALSE(r.hasPrice());
    parseQuoteLine(R"("A,B",5)", r);
    EXPECT_EQ(r.symbol, "A") << "quoted commas split fields too";
    EXPECT_FALSE(r.hasPrice()) << "the second half of the name lands in the price field";
}

// A field is a number only when the whole field is one finite number: what it starts with
// is never taken for it. The same record is reused, so a field that comes back is N/A no more.
TEST(QuoteParser, AFieldIsANumberOnlyWhenItIsWhollyOne)
{
    const struct
    {
        std::string text;
        std::optional<double> price;
    } prices[] = {
        {"1234.50", 1234.5},
        {"  -3e1 ", -30},
        {"+7", 7},
        {".5", 0.5},
        {"0", 0},
        {"12.5abc", {}},
        {std::string("12\0"
                     "34.5",
                     7),
         {}},
        {"12 34", {}},
        {"0x10", {}},
        {"--1", {}},
        {"+-1", {}},
        {"+", {}},
        {"", {}},
        {"inf", {}},
        {"-infinity", {}},
        {"nan", {}},
        {"1e999", {}},
        {std::string(400, '9'), {}},
    };
    QuoteRecord r;
    for (const auto &[text, price] : prices) {
        parseQuoteLine("\"S\"," + text + ",\"1/2/2026\",\"3:30pm\",1,2,3,4,5,6,7", r);
        EXPECT_EQ(r.hasPrice(), price.has_value()) << text;
        EXPECT_EQ(r.last, price.value_or(0)) << text;
        EXPECT_EQ(r.missing & ~quotefield::Last, 0) << text;
    }
    const struct
    {
        const char *text;
        std::optional<std::int32_t> volume;
    } volumes[] = {{"2147483647", INT32_MAX},    {"+12", 12}, {"0", 0},
                   {"2147483648", {}},           {"-5", {}},  {"12.9", {}},
                   {"99999999999999999999", {}}, {"1e3", {}}};
    for (const auto &v : volumes) {
        parseQuoteLine(std::string("S,1,d,t,1,1,1,1,") + v.text, r);
        EXPECT_EQ(r.has(quotefield::Volume), v.volume.has_value()) << v.text;
        EXPECT_EQ(r.volume, v.volume.value_or(0)) << v.text;
    }
    parseQuoteLine("S,1,d,t,-3.4e38,1,1,1,1", r);
    EXPECT_FLOAT_EQ(r.change, -3.4e38f) << "the largest floats still fit";
    parseQuoteLine("S,1,d,t,1e39,1,1,1,1", r);
    EXPECT_FALSE(r.has(quotefield::Change)) << "a change no float holds";
}

TEST(QuoteParser, LinesLongerThanAnyRealLineCarryNothing)
{
    const std::string good = R"("INFY.NS",1500.25,"12/4/2026","3:30pm",5,1,2,3,4,5,6)";
    QuoteRecord r;
    parseQuoteLine(good + std::string(quotefields::MaxLineBytes - good.size(), ' '), r);
    EXPECT_EQ(r.symbol, "INFY.NS") << "a line at the limit is still read";
    EXPECT_EQ(r.yearHigh, 6);
    parseQuoteLine(good + std::string(quotefields::MaxLineBytes - good.size() + 1, ' '), r);
    EXPECT_EQ(fields(r), fields(QuoteRecord{}));
    EXPECT_FALSE(r.hasPrice());
    parseQuoteLine("\"X\",1,\"" + std::string(1 << 20, '1') + "\"", r);
    EXPECT_EQ(r.date, "");
}

// Only a record that could be real may go into the data files.
TEST(QuoteSanity, RejectsWhatNoServiceMeans)
{
    QuoteRecord good;
    parseQuoteLine(Reliance, good);
    EXPECT_TRUE(isSaneQuote(good));
    const std::pair<const char *, void (*)(QuoteRecord &)> broken[] = {
        {"N/A date", [](QuoteRecord &r) { r.date = "N/A"; }},
        {"NUL in the date", [](QuoteRecord &r) { r.date = std::string("6/27/2008\0", 10); }},
        {"infinite last", [](QuoteRecord &r) { r.last = std::numeric_limits<double>::infinity(); }},
        {"NaN change", [](QuoteRecord &r) { r.change = std::numeric_limits<float>::quiet_NaN(); }},
        {"absurd high", [](QuoteRecord &r) { r.high = 1e300; }},
        {"absurd last", [](QuoteRecord &r) { r.last = 1e200; }},
        {"negative volume", [](QuoteRecord &r) { r.volume = -1; }},
        {"tab in the symbol", [](QuoteRecord &r) { r.symbol = "RELIANCE\t.NS"; }},
        {"DEL in the time", [](QuoteRecord &r) { r.time = "3:59\x7fPM"; }},
        {"huge symbol", [](QuoteRecord &r) { r.symbol.assign(65, 'S'); }},
        {"no price", [](QuoteRecord &r) { r.missing = quotefield::Last; }},
    };
    for (const auto &[what, spoil] : broken) {
        QuoteRecord r = good;
        spoil(r);
        EXPECT_FALSE(isSaneQuote(r)) << what;
    }
}

TEST(QuoteSanity, DatesAreRealCalendarDays)
{
    for (const char *date :
         {"6/27/2008", "06/07/2026", "12/31/2026", "2/29/2024", "2/29/2000", "1/1/1900"})
        EXPECT_TRUE(isQuoteDate(date)) << date;
    for (const char *date :
         {"", "++-", "2/29/2026", "2/29/1900", "13/1/2026", "0/10/2026", "4/31/2026", "4/0/2026",
          "6/27/08", "6/27/20081", "6/27/1899", "123/1/2026", "6-27-2008", "6/27/2008 ",
          " 6/27/2008", "6//2008", "6/27/"})
        EXPECT_FALSE(isQuoteDate(date)) << date;
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
