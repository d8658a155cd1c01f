#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// A broken property is a crash to libFuzzer: it stops there and keeps the input.
#define FUZZ_REQUIRE(condition)                                                                    \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property broken at %s:%d: %s\n", __FILE__, __LINE__,             \
                         #condition);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// Takes the fuzzer's bytes piece by piece; past the end everything reads as zero or empty.
class FuzzInput
{
public:
    FuzzInput(const std::uint8_t *data, std::size_t size)
        : m_rest(reinterpret_cast<const char *>(data), size)
    {
    }

    std::uint8_t byte()
    {
        if (m_rest.empty())
            return 0;
        const auto b = static_cast<std::uint8_t>(m_rest.front());
        m_rest.remove_prefix(1);
        return b;
    }
    std::uint32_t number(int bytes)
    {
        std::uint32_t n = 0;
        for (int i = 0; i < bytes; ++i)
            n = n << 8 | byte();
        return n;
    }
    // Up to n bytes, as text.
    std::string_view text(std::size_t n)
    {
        const std::string_view piece = m_rest.substr(0, n);
        m_rest.remove_prefix(piece.size());
        return piece;
    }
    std::string_view rest() const { return m_rest; }

private:
    std::string_view m_rest;
};
