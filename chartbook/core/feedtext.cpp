#include "feedtext.h"

#include "fields.h"

#include <algorithm>

bool parseFeedText(std::string_view text, std::vector<FeedRecord> &records, std::string &error)
{
    std::vector<FeedRecord> parsed;
    for (const std::string_view record : fields::split(text, '*')) {
        if (record.empty())
            continue;
        const std::vector<std::string_view> f = fields::split(record, ',');
        const bool shaped = f.size() == 4 || (f.size() == 5 && f[4].empty() && !f[3].empty());
        const auto previous = shaped ? fields::price(f[1]) : std::nullopt;
        const auto last = shaped ? fields::price(f[2]) : std::nullopt;
        const auto volume = shaped ? fields::integer(f[3]) : std::nullopt;
        if (!shaped || !fields::isSymbol(f[0]) || !previous || !last || !volume) {
            error = "malformed feed record \"" + std::string(record) + "\"";
            return false;
        }
        parsed.push_back({std::string(f[0]), *previous, *last, *volume});
    }
    records = std::move(parsed);
    return true;
}

bool feedTooLarge(std::string_view text)
{
    return text.size() > MaxFeedBytes ||
           static_cast<std::size_t>(std::count(text.begin(), text.end(), '*')) >= MaxFeedRecords;
}

bool parseStockList(std::string_view text, std::vector<std::string> &symbols, std::string &error)
{
    std::vector<std::string_view> pieces = fields::split(text, ',');
    if (pieces.back().empty()) // the last symbol's own comma
        pieces.pop_back();
    std::vector<std::string> list;
    for (const std::string_view piece : pieces) {
        if (!fields::isSymbol(piece)) {
            error = "malformed symbol \"" + std::string(piece) + "\" in the stock list";
            return false;
        }
        if (std::find(list.begin(), list.end(), piece) == list.end())
            list.emplace_back(piece);
    }
    symbols = std::move(list);
    return true;
}
