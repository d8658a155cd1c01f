#include "core/net/cnumber.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

locale_t cLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return loc;
}

// strtod needs a terminated string; short tokens go through a stack buffer.
template <typename F> auto withTerminated(std::string_view text, F &&convert)
{
    std::array<char, 64> buffer;
    if (text.size() < buffer.size()) {
        text.copy(buffer.data(), text.size());
        buffer[text.size()] = '\0';
        return convert(buffer.data());
    }
    const std::string copy(text);
    return convert(copy.c_str());
}

} // namespace

double cStrToDouble(std::string_view text)
{
    return withTerminated(text, [](const char *s) { return strtod_l(s, nullptr, cLocale()); });
}

std::int64_t cStrToLong64(std::string_view text)
{
    return withTerminated(text, [](const char *s) {
        return static_cast<std::int64_t>(strtoll_l(s, nullptr, 10, cLocale()));
    });
}
