#include "faults.h"

#include "noise.h"

#include <array>
#include <utility>

namespace {
constexpr std::array<std::pair<std::string_view, FaultKind>, 9> Names{{
    {"none", FaultKind::None},
    {"http500", FaultKind::Http500},
    {"drop", FaultKind::Drop},
    {"short", FaultKind::Short},
    {"garbage", FaultKind::Garbage},
    {"hang", FaultKind::Hang},
    {"trickle", FaultKind::Trickle},
    {"longline", FaultKind::LongLine},
    {"price", FaultKind::Price},
}};
} // namespace

std::optional<FaultKind> parseFaultKind(std::string_view name)
{
    for (const auto &[text, kind] : Names) {
        if (text == name)
            return kind;
    }
    return std::nullopt;
}

std::string_view faultName(FaultKind kind)
{
    for (const auto &[text, k] : Names) {
        if (k == kind)
            return text;
    }
    return "none";
}

std::string garbageBody(std::size_t lines, std::uint64_t key)
{
    std::string out;
    for (std::size_t i = 0; i < lines; ++i) {
        const std::uint64_t h = noise::combine(key, i);
        switch ((h >> 8) % 4) {
        case 0: // binary bytes, NULs included, but no line end
            for (int b = 0; b < 40 + static_cast<int>(h % 80); ++b) {
                const char c =
                    static_cast<char>(noise::combine(h, static_cast<std::uint64_t>(b)) & 0xff);
                out.push_back(c == '\n' || c == '\r' ? '\x7f' : c);
            }
            break;
        case 1: // one huge line
            for (int b = 0; b < 100000; ++b)
                out.push_back("9.,\"-e+ "[noise::combine(h, static_cast<std::uint64_t>(b)) % 8]);
            break;
        case 2: // plausible fields that lost their commas
            out += "\"RELIANCE.NS\" 1234.50 \"12/4/2026\" \"3:59pm\" -12.30 1240.00 1251.00 "
                   "1230.10 123456";
            break;
        default: // broken quoting and words where numbers belong
            out += "\"unterminated,price,\"\",+-,1e999999,nan,,,,,,,,,,,,,,,,,,,,";
            break;
        }
        out += "\r\n";
    }
    return out;
}

std::string withPrice(std::string_view line, std::string_view text)
{
    const std::size_t start = line.find(',');
    if (start == std::string_view::npos)
        return std::string(line);
    const std::size_t end = line.find(',', start + 1);
    std::string out(line.substr(0, start + 1));
    out += text;
    if (end != std::string_view::npos)
        out += line.substr(end);
    return out;
}

std::string longLineBody()
{
    std::string out(LongLineBytes, '9');
    for (std::size_t i = 7; i < out.size(); i += 8)
        out[i] = '.';
    return out + "\r\n";
}
