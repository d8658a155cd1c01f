#include "companylist.h"

#include <fstream>
#include <sstream>
#include <string_view>
#include <utility>

namespace {
std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Fields of one line; a field in double quotes may hold commas ("" is one quote).
std::vector<std::string> splitLine(std::string_view line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"')
                fields.back().push_back(line[++i]);
            else if (c == '"')
                quoted = false;
            else
                fields.back().push_back(c);
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back().push_back(c);
        }
    }
    for (std::string &field : fields)
        field = std::string(trimmed(field));
    return fields;
}
} // namespace

std::vector<ListedCompany> parseCompanyList(std::string_view text)
{
    std::vector<ListedCompany> rows;
    rows.reserve(text.size() / 40);
    bool header = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (std::exchange(header, false) || line.empty())
            continue;
        std::vector<std::string> fields = splitLine(line);
        fields.resize(3);
        rows.push_back({std::move(fields[0]), std::move(fields[1]), std::move(fields[2])});
    }
    return rows;
}

std::optional<std::vector<ListedCompany>> loadCompanyList(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return parseCompanyList(text.str());
}
