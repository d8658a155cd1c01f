#include "jsonvalue.h"

#include <charconv>
#include <cmath>

namespace {
constexpr int maxDepth = 64;
}

class JsonParser
{
public:
    explicit JsonParser(std::string_view text) : m_text(text) {}

    bool document(JsonValue &out)
    {
        if (!value(out, 0))
            return false;
        skipSpace();
        return m_pos == m_text.size();
    }

private:
    void skipSpace()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' ||
                                         m_text[m_pos] == '\n' || m_text[m_pos] == '\r'))
            ++m_pos;
    }

    bool literal(std::string_view word)
    {
        if (m_text.substr(m_pos, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }

    bool value(JsonValue &out, int depth)
    {
        if (depth > maxDepth)
            return false;
        skipSpace();
        if (m_pos >= m_text.size())
            return false;
        const char c = m_text[m_pos];
        if (c == '{')
            return object(out, depth);
        if (c == '[')
            return array(out, depth);
        if (c == '"') {
            out.m_type = JsonValue::String;
            return string(out.m_string);
        }
        if (literal("null")) {
            out.m_type = JsonValue::Null;
            return true;
        }
        if (literal("true") || literal("false")) {
            out.m_type = JsonValue::Bool;
            out.m_bool = c == 't';
            return true;
        }
        return number(out);
    }

    bool number(JsonValue &out)
    {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() &&
               std::string_view("+-0123456789.eE").find(m_text[m_pos]) != std::string_view::npos)
            ++m_pos;
        if (m_pos == start || m_pos - start > 64)
            return false;
        // from_chars, unlike strtod, ignores the process locale the server may have set.
        const char *first = m_text.data() + start;
        const char *last = m_text.data() + m_pos;
        if (*first == '+')
            return false;
        double parsed = 0;
        const auto [end, error] = std::from_chars(first, last, parsed);
        if (error != std::errc() || end != last || !std::isfinite(parsed))
            return false;
        out.m_type = JsonValue::Number;
        out.m_number = parsed;
        return true;
    }

    bool string(std::string &out)
    {
        ++m_pos; // opening quote
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_text.size())
                return false;
            const char e = m_text[m_pos++];
            switch (e) {
            case '"':
            case '\\':
            case '/':
                out += e;
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u':
                if (!unicode(out))
                    return false;
                break;
            default:
                return false;
            }
        }
        return false;
    }

    // Symbols and names are ASCII in practice; other code points are kept as UTF-8 and
    // surrogate halves as they come, which is enough for labels that are never parsed back.
    bool unicode(std::string &out)
    {
        if (m_pos + 4 > m_text.size())
            return false;
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = m_text[m_pos++];
            code <<= 4;
            if (h >= '0' && h <= '9')
                code |= h - '0';
            else if (h >= 'a' && h <= 'f')
                code |= h - 'a' + 10;
            else if (h >= 'A' && h <= 'F')
                code |= h - 'A' + 10;
            else
                return false;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
        return true;
    }

    bool array(JsonValue &out, int depth)
    {
        out.m_type = JsonValue::Array;
        ++m_pos;
        skipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == ']') {
            ++m_pos;
            return true;
        }
        while (true) {
            out.m_items.emplace_back();
            if (!value(out.m_items.back(), depth + 1))
                return false;
            skipSpace();
            if (m_pos >= m_text.size())
                return false;
            const char c = m_text[m_pos++];
            if (c == ']')
                return true;
            if (c != ',')
                return false;
        }
    }

    bool object(JsonValue &out, int depth)
    {
        out.m_type = JsonValue::Object;
        ++m_pos;
        skipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == '}') {
            ++m_pos;
            return true;
        }
        while (true) {
            skipSpace();
            std::string key;
            if (m_pos >= m_text.size() || m_text[m_pos] != '"' || !string(key))
                return false;
            skipSpace();
            if (m_pos >= m_text.size() || m_text[m_pos++] != ':')
                return false;
            JsonValue &member = out.m_members[key];
            member = JsonValue(); // a repeated key means its last value
            if (!value(member, depth + 1))
                return false;
            skipSpace();
            if (m_pos >= m_text.size())
                return false;
            const char c = m_text[m_pos++];
            if (c == '}')
                return true;
            if (c != ',')
                return false;
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

std::optional<JsonValue> JsonValue::parse(std::string_view text)
{
    JsonValue root;
    if (!JsonParser(text).document(root))
        return std::nullopt;
    return root;
}

namespace {
const JsonValue &nullValue()
{
    static const JsonValue none;
    return none;
}
} // namespace

const JsonValue &JsonValue::operator[](const std::string &key) const
{
    const auto it = m_members.find(key);
    return it == m_members.end() ? nullValue() : it->second;
}

const JsonValue &JsonValue::at(std::size_t index) const
{
    return index < m_items.size() ? m_items[index] : nullValue();
}

std::optional<double> JsonValue::number() const
{
    if (m_type != Number)
        return std::nullopt;
    return m_number;
}

std::optional<std::string> JsonValue::string() const
{
    if (m_type != String)
        return std::nullopt;
    return m_string;
}
