#include "core/net/displayformat.h"

#include "core/net/cnumber.h"

#include <array>
#include <charconv>
#include <cmath>

std::string formatDisplay(double value)
{
    // No list shows "inf" or "nan": a value that is no number reads as N/A does, 0.
    if (!std::isfinite(value))
        value = 0;
    // to_chars gives exactly what printf("%.2f") gives, without depending on the locale.
    std::array<char, 400> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 2);
    std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));

    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.size() <= 6)
        return negative ? "-" + std::string(text) : std::string(text);

    const std::size_t point = text.find('.');
    const std::string_view integer = text.substr(0, point);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view() : text.substr(point);

    std::string out;
    out.reserve(text.size() + text.size() / 2 + 2);
    if (negative)
        out.push_back('-');
    // Digits before the last three fall into pairs; an odd count leaves one digit in front.
    const std::size_t head = integer.size() > 3 ? integer.size() - 3 : 0;
    for (std::size_t i = 0; i < head; ++i) {
        out.push_back(integer[i]);
        if ((head - i - 1) % 2 == 0)
            out.push_back(',');
    }
    out.append(integer.substr(head));
    out.append(decimals);
    return out;
}

double shown(double value)
{
    if (!std::isfinite(value))
        return 0; // shown as N/A is: 0.00
    std::array<char, 400> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 2);
    return cStrToDouble(
        std::string_view(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())));
}

std::string formatQuantity(double value)
{
    std::string text = formatDisplay(value);
    text.resize(text.size() >= 3 ? text.size() - 3 : 0);
    return text;
}

float percentChange(double last, float change)
{
    const double base = last - static_cast<double>(change);
    if (base == 0)
        return 0;
    return static_cast<float>(static_cast<double>(change) * 100.0 / base);
}
