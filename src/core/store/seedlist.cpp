#include "core/store/seedlist.h"

#include <algorithm>

namespace {
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

SeedRow split(std::string_view line)
{
    SeedRow fields;
    for (;;) {
        const std::size_t comma = line.find(',');
        fields.emplace_back(line.substr(0, comma));
        if (comma == std::string_view::npos)
            return fields;
        line.remove_prefix(comma + 1);
    }
}
} // namespace

StoreResult<std::vector<SeedRow>> readSeedList(std::string_view text, std::string_view name,
                                               std::string_view header)
{
    const std::size_t columns = std::count(header.begin(), header.end(), ',') + 1;
    std::vector<SeedRow> rows;
    for (std::size_t lineNumber = 1;; ++lineNumber) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        if (lineNumber == 1 && line != header)
            return StoreError{std::string(name) + " does not start with " + std::string(header)};
        if (lineNumber > 1 && !line.empty()) {
            SeedRow fields = split(line);
            if (fields.size() != columns)
                return StoreError{std::string(name) + " line " + std::to_string(lineNumber) +
                                  " is malformed"};
            rows.push_back(std::move(fields));
        }
        if (end == std::string_view::npos)
            return rows;
        text.remove_prefix(end + 1);
    }
}
