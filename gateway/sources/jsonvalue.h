#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A small JSON reader for the sources' replies. It never trusts its input: nesting is bounded,
// numbers that do not fit are refused and any syntax error refuses the whole document.
class JsonValue
{
public:
    enum Type { Null, Bool, Number, String, Array, Object };

    static std::optional<JsonValue> parse(std::string_view text);

    Type type() const { return m_type; }
    bool isNull() const { return m_type == Null; }
    bool isArray() const { return m_type == Array; }
    bool isObject() const { return m_type == Object; }

    // The member of an object, or a shared null value when this is no object or lacks it.
    const JsonValue &operator[](const std::string &key) const;
    // The element of an array, or a shared null value when out of range.
    const JsonValue &at(std::size_t index) const;
    std::size_t size() const { return m_items.size(); }

    std::optional<double> number() const;
    std::optional<std::string> string() const;

private:
    friend class JsonParser;
    Type m_type = Null;
    bool m_bool = false;
    double m_number = 0;
    std::string m_string;
    std::vector<JsonValue> m_items;
    std::map<std::string, JsonValue> m_members;
};
