#include "gui/controls/bevel.h"

#include <cstdint>
#include <cstdlib>

namespace {
Rgb grey(int level)
{
    const auto v = static_cast<std::uint8_t>(level);
    return Rgb{v, v, v};
}
} // namespace

std::vector<BevelRing> bevelRings(int width)
{
    const int count = std::abs(width);
    std::vector<BevelRing> rings;
    rings.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        Rgb highlight = grey(63 / (i + 1) + 192);
        Rgb shadow = grey(255 / (i + 2));
        if (count == 1) {
            highlight = grey(255);
            shadow = grey(128);
        }
        if (width >= 0) {
            rings.push_back({highlight, shadow});
        } else {
            const bool innermost = i == count - 1 && count >= 2;
            rings.push_back({shadow, innermost ? Rgb{1, 1, 1} : highlight});
        }
    }
    return rings;
}
