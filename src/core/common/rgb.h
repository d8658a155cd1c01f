#pragma once

#include <cstdint>

struct Rgb
{
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

namespace colours {
inline constexpr Rgb Panel{213, 247, 255};
inline constexpr Rgb ButtonText{1, 1, 1};
inline constexpr Rgb DisabledText{128, 128, 128};
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Up{0, 255, 0};
inline constexpr Rgb Down{255, 0, 0};
inline constexpr Rgb Blue{0, 0, 255};
inline constexpr Rgb DarkGreen{0, 128, 0};
inline constexpr Rgb Red{255, 0, 0};
} // namespace colours
