#pragma once

#include <string>
#include <string_view>

// The server programs' command lines: "--name value" and "--name=value" alike.
class CommandArgs
{
public:
    CommandArgs(int argc, const char *const *argv) : m_argc(argc), m_argv(argv) {}

    // Moves to the next option; false after the last.
    bool next()
    {
        if (++m_at >= m_argc)
            return false;
        m_name = m_argv[m_at];
        m_inline = {};
        m_hasInline = false;
        if (const std::size_t eq = m_name.find('=');
            m_name.starts_with("--") && eq != std::string_view::npos) {
            m_inline = m_name.substr(eq + 1);
            m_name = m_name.substr(0, eq);
            m_hasInline = true;
        }
        return true;
    }
    std::string_view name() const { return m_name; }

    // The option's value: after its "=", else the next argument. False, with the error set,
    // when there is none.
    bool value(std::string_view &out, std::string &error)
    {
        if (m_hasInline) {
            out = m_inline;
            return true;
        }
        if (m_at + 1 >= m_argc) {
            error = std::string(m_name) + " needs a value";
            return false;
        }
        out = m_argv[++m_at];
        return true;
    }

    std::string badValue(std::string_view value) const
    {
        return "bad value for " + std::string(m_name) + ": " + std::string(value);
    }
    std::string unknown() const { return "unknown option: " + std::string(m_name); }

private:
    int m_argc;
    const char *const *m_argv;
    int m_at = 0;
    std::string_view m_name;
    std::string_view m_inline;
    bool m_hasInline = false;
};
