#include "core/trades/tradebookreader.h"

#include "core/common/datetext.h"
#include "core/trades/exactnumber.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {
// The columns an import needs; isin, order_id and order_execution_time are taken when present.
constexpr std::array<std::string_view, 8> Required = {
    "symbol", "trade_date", "exchange", "segment", "trade_type", "quantity", "price", "trade_id"};

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string lowered(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

// One CSV line's fields; a field in double quotes may hold commas and doubled quotes.
std::vector<std::string> fieldsOf(std::string_view line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"')
                fields.back() += line[++i];
            else if (c == '"')
                quoted = false;
            else
                fields.back() += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    for (std::string &field : fields)
        field = std::string(trimmed(field));
    return fields;
}

std::vector<std::string_view> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// Column positions by name, when the line is the header.
struct Columns
{
    std::vector<int> at; // Required order
    int isin = -1;
    int executed = -1;
    int order = -1;
    std::size_t count = 0;
};

std::optional<Columns> headerOf(std::string_view line)
{
    if (line.size() > LongestLine)
        return std::nullopt;
    const std::vector<std::string> names = fieldsOf(line);
    const auto find = [&](std::string_view name) {
        for (std::size_t i = 0; i < names.size(); ++i)
            if (lowered(names[i]) == name)
                return int(i);
        return -1;
    };
    Columns columns;
    for (std::string_view name : Required) {
        columns.at.push_back(find(name));
        if (columns.at.back() < 0)
            return std::nullopt;
    }
    columns.isin = find("isin");
    columns.executed = find("order_execution_time");
    columns.order = find("order_id");
    columns.count = names.size();
    return columns;
}

bool isTime(std::string_view t)
{
    return t.size() == 8 && t[2] == ':' && t[5] == ':' &&
           std::ranges::all_of(std::array{t[0], t[1], t[3], t[4], t[6], t[7]},
                               [](char c) { return c >= '0' && c <= '9'; });
}

// The row's trade, or why it can't be taken.
std::string readRow(const std::vector<std::string> &f, const Columns &c, Trade &trade)
{
    const auto field = [&](std::size_t k) -> const std::string & {
        return f[std::size_t(c.at[k])];
    };
    trade.symbol = field(0);
    trade.date = field(1);
    trade.exchange = field(2);
    const std::string segment = field(3);
    const std::string side = lowered(field(4));
    if (segment != "EQ")
        return "segment \"" + segment + "\" is not cash equity (EQ)";
    if (trade.symbol.empty())
        return "no symbol";
    if (!isoDay(trade.date))
        return "trade date \"" + trade.date + "\" is not a date (YYYY-MM-DD)";
    if (trade.exchange != "NSE" && trade.exchange != "BSE")
        return "exchange \"" + trade.exchange + "\" is neither NSE nor BSE";
    if (side != "buy" && side != "sell")
        return "unknown side \"" + field(4) + "\" (buy or sell)";
    trade.side = side == "buy" ? TradeSide::Buy : TradeSide::Sell;
    const auto quantity = readCount(field(5));
    if (!quantity || *quantity <= 0)
        return "quantity \"" + field(5) + "\" is not a whole number of shares";
    trade.quantity = *quantity;
    const auto price = readDecimal(field(6));
    if (!price || *price <= 0)
        return "price \"" + field(6) + "\" is not a price";
    trade.price = *price;
    trade.exchangeTradeId = field(7);
    if (trade.exchangeTradeId.empty())
        return "no trade id, so a second import could not tell it apart";
    if (c.isin >= 0)
        trade.isin = f[std::size_t(c.isin)];
    if (c.order >= 0)
        trade.orderId = f[std::size_t(c.order)];
    if (c.executed >= 0) {
        const std::string &executed = f[std::size_t(c.executed)];
        const auto t = executed.find('T');
        if (t != std::string::npos && isTime(std::string_view(executed).substr(t + 1, 8)))
            trade.time = executed.substr(t + 1, 8);
    }
    return {};
}
} // namespace

Tradebook readTradebook(std::string_view text, const std::string &source)
{
    Tradebook book;
    const std::string name = "\"" + source + "\"";
    if (text.size() > LargestFile) {
        book.error = name + " is too large for a tradebook";
        return book;
    }
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const std::vector<std::string_view> lines = linesOf(text);
    std::optional<Columns> columns;
    std::size_t first = 0;
    for (; first < lines.size() && first < std::size_t(HeaderSearchLines) && !columns; ++first)
        columns = headerOf(lines[first]);
    if (!columns) {
        book.error = name + " is not a tradebook: none of its first " +
                     std::to_string(HeaderSearchLines) +
                     " lines names the columns symbol, trade_date, exchange, segment, "
                     "trade_type, quantity, price and trade_id";
        return book;
    }
    for (std::size_t i = first; i < lines.size(); ++i) {
        const int line = int(i) + 1;
        if (trimmed(lines[i]).empty())
            continue;
        if (lines[i].size() > LongestLine) {
            book.refused.push_back(
                {line, "the line is " + std::to_string(lines[i].size()) + " characters long"});
            continue;
        }
        const std::vector<std::string> fields = fieldsOf(lines[i]);
        // More fields than the header is a comma that was not quoted ("1,234.50"): which
        // field is which can't be told.
        if (fields.size() != columns->count) {
            book.refused.push_back({line, "it has " + std::to_string(fields.size()) +
                                              " fields where the header has " +
                                              std::to_string(columns->count)});
            continue;
        }
        Trade trade;
        trade.source = source;
        if (std::string why = readRow(fields, *columns, trade); !why.empty())
            book.refused.push_back({line, std::move(why)});
        else
            book.rows.push_back({line, std::move(trade)});
    }
    if (book.rows.empty() && book.refused.empty())
        book.error = name + " has the tradebook's header but no trades below it";
    return book;
}
