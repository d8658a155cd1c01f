#include "statusjson.h"

#include <cstdio>

namespace {
// A source's error text may carry anything a server sent; it must not break the document.
std::string quoted(const std::string &text)
{
    std::string out = "\"";
    for (const char c : text) {
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
