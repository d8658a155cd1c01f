#include "querystring.h"

namespace {
int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

QueryString::QueryString(std::string_view target)
{
    const std::size_t mark = target.find('?');
    if (mark == std::string_view::npos)
        return;
    std::string_view query = target.substr(mark + 1);
    if (const std::size_t hash = query.find('#'); hash != std::string_view::npos)
        query = query.substr(0, hash);
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view item = query.substr(0, amp);
        query.remove_prefix(amp == std::string_view::npos ? query.size() : amp + 1);
        if (item.empty())
            continue;
        const std::size_t eq = item.find('=');
        if (eq == std::string_view::npos)
            m_items.emplace_back(decode(item), std::string());
        else
            m_items.emplace_back(decode(item.substr(0, eq)), decode(item.substr(eq + 1)));
    }
}

std::optional<std::string> QueryString::value(std::string_view key) const
{
    for (const auto &[k, v] : m_items) {
        if (k == key)
            return v;
    }
    return std::nullopt;
}

std::string QueryString::decode(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            out.push_back(' ');
        } else if (c == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
                   hexValue(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2])));
            i += 2;
        } else {
            out.push_back(c);
        }
    }
    return out;
}
