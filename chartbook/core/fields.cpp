#include "fields.h"

#include <charconv>

namespace fields {

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> pieces;
    for (;;) {
        const std::size_t end = text.find(separator);
        std::string_view piece = text.substr(0, end);
        const std::size_t first = piece.find_first_not_of(" \t\r\n");
        piece = first == std::string_view::npos
                    ? std::string_view()
                    : piece.substr(first, piece.find_last_not_of(" \t\r\n") - first + 1);
        pieces.push_back(piece);
        if (end == std::string_view::npos)
            return pieces;
        text.remove_prefix(end + 1);
    }
}

std::optional<double> price(std::string_view text)
{
    int digits = 0, points = 0;
    for (const char c : text) {
        digits += c >= '0' && c <= '9';
        points += c == '.';
        if ((c < '0' || c > '9') && c != '.')
            return std::nullopt;
    }
    // A number no double holds is refused too: from_chars leaves it 0, which means "no price".
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (digits == 0 || points > 1 || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> integer(std::string_view text)
{
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool isSymbol(std::string_view text)
{
    if (text.empty() || text.size() > 40)
        return false;
    for (const char c : text)
        if (c <= ' ' || c > '~' || c == ',' || c == '*')
            return false;
    return true;
}

} // namespace fields
