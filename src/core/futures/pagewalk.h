#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The exchange's futures pages are not parsed as HTML: they are cut apart at fixed markers.
// A page that lacks a marker the walk needs, or whose rows hold fewer cells than it reads, is
// not read at all, so no field is ever filled from another row or past the end of the text.

// One contract month of a stock: its expiry as the page writes it (26JUN2008) and the seven
// values of the list's columns "Hi Price" to "Underlying V".
struct ContractMonth
{
    std::string expiry;
    std::array<std::string, 7> values;

    bool operator==(const ContractMonth &) const = default;
};
using ContractMonths = std::array<ContractMonth, 3>;

struct TradeStatRow
{
    std::string product;
    std::string contracts;
    std::string turnover;

    bool operator==(const TradeStatRow &) const = default;
};

struct TradeStats
{
    std::string heading; // "Trade Statistics for ..."
    std::array<TradeStatRow, 2> rows;
};

// The reply as one text: its lines appended without their line ends.
std::string pageText(std::string_view body);

// The three months of a stock's contract page.
std::optional<ContractMonths> walkContractPage(std::string_view page);
// The heading and the index and stock futures rows of the day's statistics page.
std::optional<TradeStats> walkStatsPage(std::string_view page);

// "-" and values that read as 0 show as "-".
std::string dashRule(std::string value);
// 26JUN2008 becomes 26-JUN-2008; a text too short to hold a date gives nothing.
std::optional<std::string> expiryLabel(std::string_view expiry);
