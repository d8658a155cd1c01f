#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

enum class Exchange { Nse, Bse };

// The exchange code as the tables and the quote lists write it: "NSE" or "BSE".
inline constexpr std::string_view exchangeCode(Exchange exchange)
{
    return exchange == Exchange::Nse ? "NSE" : "BSE";
}

// The quote service knows a stock by its exchange symbol plus ".NS" for NSE, ".BO" otherwise.
inline std::string quoteSymbol(Exchange exchange, std::string_view symbol)
{
    return std::string(symbol) + (exchange == Exchange::Nse ? ".NS" : ".BO");
}

// One company of the reference list. An empty symbol means "not listed on that exchange".
struct CompanyRow
{
    std::string name;
    std::string nseName;
    std::string bseName;

    const std::string &symbol(Exchange exchange) const
    {
        return exchange == Exchange::Nse ? nseName : bseName;
    }
    bool operator==(const CompanyRow &) const = default;
};

// One stock of the watch list; the symbol (INDEXNAME) identifies it.
struct WatchRow
{
    std::string companyName;
    std::string exchange; // "NSE" or "BSE"
    std::string symbol;
    int alert = 0; // 1 when a price alert is set
    double lowerLimit = 0;
    double upperLimit = 0;

    bool operator==(const WatchRow &) const = default;
};

// The sixteen brokerage rates of a broker, in the table's column order.
enum BrokerRate : std::size_t {
    DeliveryBuyBrokerage,
    DeliveryBuyST,
    DeliveryBuySTT,
    DeliveryBuyOthers,
    DeliverySellBrokerage,
    DeliverySellST,
    DeliverySellSTT,
    DeliverySellOthers,
    IntradayBuyBrokerage,
    IntradayBuyST,
    IntradayBuySTT,
    IntradayBuyOthers,
    IntradaySellBrokerage,
    IntradaySellST,
    IntradaySellSTT,
    IntradaySellOthers,
    BrokerRateCount
};

struct BrokerEntry
{
    long id = 0; // assigned by the database; ignored on insert
    std::string name;
    std::array<double, BrokerRateCount> rates{};

    bool operator==(const BrokerEntry &) const = default;
};

// One purchase lot of the portfolio; a stock's lots are addressed by symbol and delivery type.
struct ProfileLot
{
    std::string companyName;
    std::string exchange;
    std::string symbol;
    int deliveryType = 0; // 0 delivery, 1 intraday
    double price = 0;
    long quantity = 0;
    long brokerId = 0;
    std::string buyDate = {}; // "YYYY-MM-DD"; empty for a lot whose day is not known
    std::string orderId = {}; // the broker's order the buy filled; empty: an order of its own

    bool operator==(const ProfileLot &) const = default;
};

// A futures contract: the catalogue's rows and the user's chosen ones alike.
struct FutureRow
{
    std::string underlying;
    std::string symbol;

    bool operator==(const FutureRow &) const = default;
};
