#include "core/gains/financialyear.h"

#include <cstdio>

using namespace std::chrono;

year_month_day FinancialYear::first() const
{
    return year{firstYear} / April / 1;
}

year_month_day FinancialYear::last() const
{
    return year{firstYear + 1} / March / 31;
}

bool FinancialYear::contains(year_month_day day) const
{
    return first() <= day && day <= last();
}

std::string FinancialYear::name() const
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d", firstYear, (firstYear + 1) % 100);
    return text;
}

std::optional<FinancialYear> parseFinancialYear(std::string_view text)
{
    if (text.size() != 7 || text[4] != '-')
        return std::nullopt;
    int first = 0;
    int second = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 4)
            continue;
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        int &into = i < 4 ? first : second;
        into = into * 10 + (c - '0');
    }
    if (first == 0 || second != (first + 1) % 100)
        return std::nullopt;
    return FinancialYear{first};
}

FinancialYear financialYearOf(year_month_day day)
{
    const int y = int(day.year());
    return FinancialYear{day.month() >= April ? y : y - 1};
}
