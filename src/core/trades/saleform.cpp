#include "core/trades/saleform.h"

#include <string_view>

bool isCalendarDate(std::string_view d)
{
    if (d.size() != 10 || d[4] != '-' || d[7] != '-')
        return false;
    int parts[3] = {0, 0, 0};
    int part = 0;
    for (std::size_t i = 0; i < d.size(); ++i) {
        if (i == 4 || i == 7) {
            ++part;
            continue;
        }
        if (d[i] < '0' || d[i] > '9')
            return false;
        parts[part] = parts[part] * 10 + (d[i] - '0');
    }
    const int year = parts[0], month = parts[1], day = parts[2];
    if (year < 1900 || month < 1 || month > 12 || day < 1)
        return false;
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= Days[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::optional<std::string> saleRefusal(const SaleHolding &holding, const SaleValues &values)
{
    if (values.quantity <= 0)
        return "Enter the number of shares sold";
    if (values.quantity > holding.held)
        return "You hold only " + std::to_string(holding.held) + " shares of " + holding.symbol +
               "; you can't sell " + std::to_string(values.quantity);
    if (!(values.price > 0))
        return "Enter the price they were sold at";
    if (!isCalendarDate(values.date))
        return "Enter the date of the sale as YYYY-MM-DD";
    return std::nullopt;
}

Trade saleTrade(const SaleHolding &holding, const SaleValues &values)
{
    Trade t;
    t.date = values.date;
    t.exchange = holding.exchange;
    t.symbol = holding.symbol;
    t.companyName = holding.companyName;
    t.side = TradeSide::Sell;
    t.quantity = values.quantity;
    t.price = values.price;
    t.kind = holding.kind;
    t.brokerId = values.brokerId;
    t.source = TypedSource;
    return t;
}
