#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The query of a request target, split and decoded by the service's own rule: a key ends at
// the first "=", and everything after it is the value, "=" included. The program sends
// "USDINR=X" unencoded, which a stricter split would cut apart.
class QueryString
{
public:
    explicit QueryString(std::string_view target);

    // The first value of a key, decoded ("%5E" and "+" for a blank).
    std::optional<std::string> value(std::string_view key) const;
    const std::vector<std::pair<std::string, std::string>> &items() const { return m_items; }

    static std::string decode(std::string_view text);

private:
    std::vector<std::pair<std::string, std::string>> m_items;
};
