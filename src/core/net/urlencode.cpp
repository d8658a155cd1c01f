#include "core/net/urlencode.h"

namespace {
const char Hex[] = "0123456789ABCDEF";

template <typename Keep> std::string encode(std::string_view value, Keep keep)
{
    std::string out;
    out.reserve(value.size());
    for (unsigned char c : value) {
        if (keep(c)) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back(Hex[c >> 4]);
            out.push_back(Hex[c & 0xF]);
        }
    }
    return out;
}
} // namespace

std::string encodeQueryValue(std::string_view value)
{
    return encode(value, [](unsigned char c) {
        return !(c <= 0x20 || c >= 0x7F || c == '&' || c == '#' || c == '+' || c == '%');
    });
}

std::string encodeText(std::string_view value)
{
    return encode(value, [](unsigned char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '_' || c == '.' || c == '~';
    });
}
