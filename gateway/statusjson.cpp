#include "statusjson.h"

#include <cstdio>
#include <string_view>

namespace {
// The length of the well-formed UTF-8 sequence at the start of text; 0 when there is none.
std::size_t utf8Length(std::string_view text)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the second byte's range
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(k) < 0x80 || byte(k) > 0xBF)
            return 0;
    return length;
}

// A source's error text or an asked symbol may carry any bytes; they must not break the
// document, which stays valid UTF-8 (a byte that is not is shown as U+FFFD).
std::string quoted(const std::string &text)
{
    std::string out = "\"";
    for (std::size_t k = 0; k < text.size();) {
        const char c = text[k];
        if (static_cast<unsigned char>(c) >= 0x80) {
            const std::size_t length = utf8Length(std::string_view(text).substr(k));
            out += length ? text.substr(k, length) : std::string("\\ufffd");
            k += length ? length : 1;
            continue;
        }
        ++k;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string list(const std::vector<std::string> &items)
{
    std::string out = "[";
    for (std::size_t k = 0; k < items.size(); ++k)
        out += (k ? "," : "") + quoted(items[k]);
    return out + ']';
}
} // namespace

std::string gatewayStatusJson(const std::string &label, const std::vector<SourceStatus> &sources,
                              const std::vector<std::string> &labels,
                              const std::vector<std::string> &unknown)
{
    std::string out =
        "{\"label\":" + quoted(label) + ",\"unknownSymbols\":" + list(unknown) + ",\"sources\":[";
    for (std::size_t k = 0; k < sources.size(); ++k) {
        const SourceStatus &s = sources[k];
        out += std::string(k ? "," : "") + "{\"name\":" + quoted(s.name) +
               ",\"label\":" + quoted(k < labels.size() ? labels[k] : std::string()) +
               ",\"state\":" + quoted(s.state) + ",\"lastSuccess\":" + quoted(s.lastSuccess) +
               ",\"lastError\":" + quoted(s.lastError) +
               ",\"throttledUntil\":" + quoted(s.throttledUntil) +
               ",\"unknownSymbols\":" + list(s.unknownSymbols) + "}";
    }
    return out + "]}\n";
}
