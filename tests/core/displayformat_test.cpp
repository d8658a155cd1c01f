#include "core/net/cnumber.h"
#include "core/net/displayformat.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

TEST(DisplayFormat, IndianGroupingWithTheSignInFront)
{
    const struct
    {
        double value;
        const char *text;
    } cases[] = {
        {999.99, "999.99"},
        {1000, "1,000.00"},
        {12345.6, "12,345.60"},
        {1234567.891, "12,34,567.89"},
        {100000, "1,00,000.00"},
        {123456789012.0, "1,23,45,67,89,012.00"},
        {0, "0.00"},
        {-12345.67, "-12,345.67"},
        {-123.45, "-123.45"},
        {-100000, "-1,00,000.00"},
        {-999.999, "-1,000.00"}, // rounding carries into a new group
        {-0.004, "-0.00"},
        {1e20, "10,00,00,00,00,00,00,00,00,000.00"},
        // No number shows as N/A does.
        {std::numeric_limits<double>::infinity(), "0.00"},
        {-std::numeric_limits<double>::infinity(), "0.00"},
        {std::numeric_limits<double>::quiet_NaN(), "0.00"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatDisplay(c.value), c.text);
    EXPECT_EQ(formatQuantity(1234567), "12,34,567");
    EXPECT_EQ(formatQuantity(50), "50");
}

TEST(DisplayFormat, RoundsExactlyAsPrintfDoes)
{
    // The two-decimal text must be printf's, digit for digit, including halfway values.
    for (double v : {0.005, 0.015, 0.125, 2.675, 1.005, 1e15 + 0.3, 24017.355, 84.125}) {
        char expected[400];
        std::snprintf(expected, sizeof expected, "%.2f", v);
        std::string digits = formatDisplay(v);
        std::erase(digits, ',');
        EXPECT_EQ(digits, expected);
        // Rules that judge the shown value get exactly printf's number.
        EXPECT_EQ(shown(v), std::strtod(expected, nullptr)) << expected;
    }
    EXPECT_EQ(shown(std::numeric_limits<double>::infinity()), 0);
}

TEST(PercentChange, DividesByThePreviousClose)
{
    EXPECT_FLOAT_EQ(percentChange(110, 10.f), 10.f);
    EXPECT_FLOAT_EQ(percentChange(90, -10.f), -10.f);
    EXPECT_EQ(percentChange(5, 5.f), 0.f) << "last equal to change means no previous close";
    EXPECT_EQ(percentChange(0, 0.f), 0.f);
}
