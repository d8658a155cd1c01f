#include "core/trades/saleform.h"

#include "core/common/datetext.h"

#include <string_view>

bool isCalendarDate(std::string_view d)
{
    const auto day = isoDay(d);
    return day && day->year() >= std::chrono::year{1900};
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
