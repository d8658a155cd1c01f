#include "symbollookup.h"

#include <cctype>

namespace {
std::string folded(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

// A link to the symbol's one-year chart on this same service; "&" and the like in a
// symbol ("ARE&M") are percent-encoded so they stay in the query value.
std::string chartLink(const std::string &symbol)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string query;
    for (const char c : symbol) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '&' || c == '%' || c == '+' || c == '#' || byte <= ' ' || byte >= 0x7F)
            query += {'%', hex[byte >> 4], hex[byte & 15]};
        else
            query.push_back(c);
    }
    return "<a href=\"" + escapeHtml("/z?s=" + query + "&t=1y&q=l&l=off&z=m&p=&a=&c=") + "\">" +
           escapeHtml(symbol) + "</a>";
}

const char *const Head = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>";
const char *const Style =
    "</title>\n<style>\n"
    "body { background: #d5f7ff; color: #000; font: 14px sans-serif; margin: 16px; }\n"
    "table { border-collapse: collapse; background: #fff; }\n"
    "th, td { border: 1px solid #8aa; padding: 3px 8px; text-align: left; }\n"
    "th { background: #e8fbff; }\n"
    ".note { color: #555; font-size: 12px; }\n"
    "</style></head>\n<body>\n";
} // namespace

std::string escapeHtml(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

void SymbolLookup::addCompanies(const std::vector<ListedCompany> &rows)
{
    m_rows.insert(m_rows.end(), rows.begin(), rows.end());
    m_folded.reserve(m_rows.size());
    for (std::size_t k = m_folded.size(); k < m_rows.size(); ++k)
        m_folded.push_back(folded(m_rows[k].name));
}

std::vector<const ListedCompany *> SymbolLookup::find(std::string_view text) const
{
    std::vector<const ListedCompany *> found;
    const std::string wanted = folded(trimmed(text));
    if (wanted.empty())
        return found;
    for (std::size_t k = 0; k < m_rows.size(); ++k)
        if (m_folded[k].find(wanted) != std::string::npos)
            found.push_back(&m_rows[k]);
    return found;
}

std::string SymbolLookup::page(std::string_view text) const
{
    const std::string shown = escapeHtml(trimmed(text));
    const std::vector<const ListedCompany *> found = find(text);
    std::string html = Head;
    html += "Symbol lookup: " + shown + Style;
    html += "<h2>Symbol lookup</h2>\n";
    if (found.empty()) {
        html += shown.empty() ? "<p>Nothing matched: no company name was given.</p>\n"
                              : "<p>Nothing matched &quot;" + shown + "&quot;.</p>\n";
    } else {
        html += "<p>Companies whose name contains &quot;" + shown +
                "&quot;: " + std::to_string(found.size());
        if (found.size() > MaxRows)
            html += ", the first " + std::to_string(MaxRows) + " shown";
        html += ".</p>\n<table>\n<tr><th>Company</th><th>NSE symbol</th><th>BSE code</th></tr>\n";
        for (std::size_t k = 0; k < found.size() && k < MaxRows; ++k) {
            const ListedCompany &row = *found[k];
            html += "<tr><td>" + escapeHtml(row.name) + "</td><td>" +
                    (row.nseSymbol.empty() ? "" : chartLink(row.nseSymbol + ".NS")) + "</td><td>" +
                    (row.bseSymbol.empty() ? "" : chartLink(row.bseSymbol + ".BO")) +
                    "</td></tr>\n";
        }
        html += "</table>\n";
    }
    html += "<p class=\"note\">SIMULATED MARKET: symbols as the simulated quote service knows "
            "them; prices are not real.</p>\n</body></html>\n";
    return html;
}
