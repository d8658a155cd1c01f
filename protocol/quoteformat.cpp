#include "quoteformat.h"

#include <cctype>
#include <cstdio>
#include <optional>
#include <utility>

namespace {
void appendNumber(std::string &out, double value)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.2f", value);
    out += buf;
}

void appendNumber(std::string &out, const std::optional<double> &value)
{
    if (value)
        appendNumber(out, *value);
    else
        out += "N/A";
}

void appendQuoted(std::string &out, std::string_view text)
{
    out.push_back('"');
    // A quote or a control character would break the line apart.
    for (char c : text) {
        if (c != '"' && static_cast<unsigned char>(c) >= 0x20)
            out.push_back(c);
    }
    out.push_back('"');
}
} // namespace

QuoteLineFormat::QuoteLineFormat(std::string_view codes)
{
    // A code is a letter, sometimes followed by a digit ("l1", "d1").
    for (std::size_t i = 0; i < codes.size();) {
        std::size_t len = 1;
        if (i + 1 < codes.size() && std::isdigit(static_cast<unsigned char>(codes[i + 1])))
            len = 2;
        m_fields.push_back(fieldOf(codes.substr(i, len)));
        i += len;
    }
}

QuoteLineFormat::Field QuoteLineFormat::fieldOf(std::string_view code)
{
    static constexpr std::pair<std::string_view, Field> Codes[] = {
        {"s", Field::Symbol},  {"l1", Field::Last},    {"d1", Field::Date},
        {"t1", Field::Time},   {"c1", Field::Change},  {"o", Field::Open},
        {"h", Field::High},    {"g", Field::Low},      {"v", Field::Volume},
        {"j", Field::YearLow}, {"k", Field::YearHigh}, {"w", Field::YearRange},
    };
    for (const auto &[text, field] : Codes) {
        if (text == code)
            return field;
    }
    return Field::Unknown;
}

std::string QuoteLineFormat::line(std::string_view symbol, const QuoteFields *q) const
{
    std::string out;
    out.reserve(16 * m_fields.size());
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (i > 0)
            out.push_back(',');
        const Field field = m_fields[i];
        const bool isString = field == Field::Symbol || field == Field::Date ||
                              field == Field::Time || field == Field::YearRange;
        if (field == Field::Symbol) {
            appendQuoted(out, symbol);
            continue;
        }
        if (!q || field == Field::Unknown) {
            out += isString ? "\"N/A\"" : "N/A";
            continue;
        }
        switch (field) {
        case Field::Last:
            appendNumber(out, q->last);
            break;
        case Field::Date:
            appendQuoted(out, q->date.empty() ? "N/A" : q->date);
            break;
        case Field::Time:
            appendQuoted(out, q->time.empty() ? "N/A" : q->time);
            break;
        case Field::Change:
            if (q->change && *q->change > 0)
                out.push_back('+');
            appendNumber(out, q->change);
            break;
        case Field::Open:
            appendNumber(out, q->open);
            break;
        case Field::High:
            appendNumber(out, q->high);
            break;
        case Field::Low:
            appendNumber(out, q->low);
            break;
        case Field::Volume:
            out += q->volume ? std::to_string(*q->volume) : "N/A";
            break;
        case Field::YearLow:
            appendNumber(out, q->yearLow);
            break;
        case Field::YearHigh:
            appendNumber(out, q->yearHigh);
            break;
        case Field::YearRange: {
            // Half a range would read as a range that is not there.
            if (!q->yearLow || !q->yearHigh) {
                out += "\"N/A\"";
                break;
            }
            std::string range;
            appendNumber(range, *q->yearLow);
            range += " - ";
            appendNumber(range, *q->yearHigh);
            appendQuoted(out, range);
            break;
        }
        case Field::Symbol:
        case Field::Unknown:
            break;
        }
    }
    return out;
}
