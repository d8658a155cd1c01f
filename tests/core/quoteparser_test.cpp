#include "core/net/cnumber.h"
#include "core/net/quoteparser.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <tuple>

namespace {
// Every parsed field of a record, to compare in one go.
auto fields(const QuoteRecord &r)
{
    return std::make_tuple(r.symbol, r.last, r.date, r.time, r.change, r.open, r.high, r.low,
                           r.volume, r.yearLow, r.yearHigh);
}
} // namespace

TEST(QuoteParser, ParsesAFullLineAndNotAvailableAsZeros)
{
    QuoteRecord r;
    parseQuoteLine(
        R"("RELIANCE.NS",1234.50,"6/27/2008","3:59pm",-12.30,1240.00,1251.00,1230.10,123456,900.00,1600.00)",
        r);
    EXPECT_EQ(fields(r), std::make_tuple(std::string("RELIANCE.NS"), 1234.50,
                                         std::string("6/27/2008"), std::string("3:59PM"), -12.30f,
                                         1240.00, 1251.00, 1230.10, 123456, 900.00, 1600.00));
    parseQuoteLine(R"("XYZ.NS",N/A,"N/A","N/A",N/A,N/A,N/A,N/A,N/A,N/A,N/A)", r);
    EXPECT_EQ(fields(r), std::make_tuple(std::string("XYZ.NS"), 0.0, std::string("N/A"),
                                         std::string("N/A"), 0.f, 0.0, 0.0, 0.0, 0, 0.0, 0.0));
}

TEST(QuoteParser, ShortLinesFillWithZerosUnlessReadAsNineFields)
{
    const std::string nine = R"("A.BO",10,"1/2/2026","9:15am",1,2,3,4,5)";
    QuoteRecord r;
    r.yearLow = 5;
    r.yearHigh = 6;
    parseQuoteLine(nine + ",100,200", r, quotefields::Short);
    EXPECT_EQ(r.yearLow, 5) << "a nine-field read leaves the year range alone";
    EXPECT_EQ(r.yearHigh, 6);
    parseQuoteLine(nine, r);
    EXPECT_EQ(r.yearLow, 0) << "a nine-field line read as eleven leaves no year range";
    EXPECT_EQ(r.yearHigh, 0);
    EXPECT_EQ(r.volume, 5);

    r.symbol = "old";
    parseQuoteLine("", r);
    EXPECT_EQ(r.symbol, "");
    EXPECT_EQ(r.last, 0);
}

TEST(QuoteParser, CLibraryNumberRules)
{
    // Leading blanks, longest valid prefix, and 0 for text without a number.
    QuoteRecord r;
    parseQuoteLine(R"(" S ", 12.5abc ,x,y,  -3e1 ,+7,.5,1e999,12.9,--1,0x10)", r);
    EXPECT_EQ(r.symbol, "S");
    EXPECT_DOUBLE_EQ(r.last, 12.5);
    EXPECT_FLOAT_EQ(r.change, -30.f);
    EXPECT_DOUBLE_EQ(r.open, 7);
    EXPECT_DOUBLE_EQ(r.high, 0.5);
    EXPECT_TRUE(std::isinf(r.low));
    EXPECT_EQ(r.volume, 12) << "the integer conversion stops at the point";
    EXPECT_EQ(r.yearLow, 0);
    EXPECT_EQ(r.yearHigh, 16) << "strtod reads hexadecimal";

    EXPECT_EQ(cStrToLong32("99999999999"), INT32_MAX);
    EXPECT_EQ(cStrToLong32("-99999999999"), INT32_MIN);
}

TEST(QuoteParser, QuotedCommasSplitFieldsAsTheyAlwaysHave)
{
    QuoteRecord r;
    parseQuoteLine(R"("A,B",5)", r);
    EXPECT_EQ(r.symbol, "A");
    EXPECT_EQ(r.last, 0) << "the second half of the name lands in the price field";
}

TEST(QuoteParser, GarbageAndHugeLinesNeverBreakIt)
{
    QuoteRecord r;
    parseQuoteLine(std::string(1 << 20, 'x'), r);
    EXPECT_EQ(r.symbol.size(), std::size_t(1) << 20);
    EXPECT_EQ(r.last, 0);

    std::string commas(1 << 20, ',');
    parseQuoteLine(commas, r);
    EXPECT_EQ(r.symbol, "");

    std::string binary;
    for (int i = 0; i < 512; ++i)
        binary.push_back(static_cast<char>(i));
    parseQuoteLine(binary, r);
    parseQuoteLine(std::string(300, '9') + "," + std::string(400, '7'), r);
    EXPECT_GT(r.last, 1e300);
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
    std::setlocale(LC_NUMERIC, saved.c_str());
}
