#include "simoptions.h"

#include "commandargs.h"

#include "simtime.h"

#include <charconv>
#include <filesystem>
#include <string_view>

namespace {
template <typename T> bool parseNumber(std::string_view text, T &out, T low, T high)
{
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return false;
    out = value;
    return true;
}
} // namespace

std::optional<SimOptions> parseSimOptions(int argc, const char *const *argv, std::string &error)
{
    SimOptions o;
    CommandArgs args(argc, argv);
    while (args.next()) {
        const std::string_view arg = args.name();
        std::string_view value;
        const auto takeValue = [&] { return args.value(value, error); };
        const auto bad = [&] {
            error = args.badValue(value);
            return std::nullopt;
        };
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--always-open") {
            o.alwaysOpen = true;
        } else if (arg == "--port" || arg == "--seed" || arg == "--clock" ||
                   arg == "--access-log" || arg == "--data-dir" || arg == "--latency-ms" ||
                   arg == "--fault" || arg == "--short-lines") {
            if (!takeValue())
                return std::nullopt;
            if (arg == "--port" && !parseNumber(value, o.port, 0, 65535))
                return bad();
            if (arg == "--seed" && !parseNumber<std::uint64_t>(value, o.seed, 0, UINT64_MAX))
                return bad();
            if (arg == "--latency-ms" && !parseNumber(value, o.reply.latencyMs, 0, 3600000))
                return bad();
            if (arg == "--short-lines" && !parseNumber(value, o.reply.shortLines, 0, 1000000))
                return bad();
            if (arg == "--clock" && !(o.clock = simtime::parseIso(value)))
                return bad();
            if (arg == "--fault") {
                const std::optional<FaultKind> fault = parseFaultKind(value);
                if (!fault)
                    return bad();
                o.reply.fault = *fault;
            }
            if (arg == "--access-log")
                o.accessLog = value;
            if (arg == "--data-dir")
                o.dataDir = value;
        } else {
            error = args.unknown();
            return std::nullopt;
        }
    }
    return o;
}

std::string simUsage()
{
    return "Usage: vantrel-sim [options]\n"
           "A simulated market on 127.0.0.1 for Vantrel: quotes, chart images (/z), chart data\n"
           "(/instrument/1.0/SYMBOL/chartdata;type=quote;range=1d/csv/, and range=5d) and a\n"
           "symbol lookup page (/lookup) over HTTP, prices from a seeded random walk. Prints\n"
           "the port it listens on alone on the first line.\n"
           "\n"
           "  --port N           port to listen on; 0 (default) picks a free one\n"
           "  --seed N           seed of the market's random walk (default 20080627)\n"
           "  --clock TIME       fixed simulated local time, e.g. 2026-12-04T11:00:00; it\n"
           "                     stands still unless advanced through /sim/control;\n"
           "                     default: the machine's clock\n"
           "  --always-open      prices move at any hour, weekends too (demo mode)\n"
           "  --access-log FILE  append every request's path and query to FILE\n"
           "  --data-dir DIR     folder of companylist.csv (default: the project's data/)\n"
           "  --latency-ms N     wait N ms before every reply\n"
           "  --fault KIND       misbehave: none, http500, drop (close mid-reply),\n"
           "                     short (fewer lines than asked, half an image or page),\n"
           "                     garbage (junk lines),\n"
           "                     hang (never answer),\n"
           "                     trickle (one byte of the reply every 100 ms),\n"
           "                     longline (one line of a megabyte),\n"
           "                     price (every line's price field \"inf\"; the control\n"
           "                     endpoint's price=TEXT sets the text)\n"
           "  --short-lines N    lines a short reply keeps (default 2)\n"
           "  --help             this text\n"
           "\n"
           "GET /sim/control?fault=KIND&short-lines=N&latency-ms=N&clock=TIME&advance=SECONDS\n"
           "changes any of these while running (advance moves the clock forward) and answers OK;\n"
           "fault-symbol=SYMBOL plays the fault only on quote and chart-data requests naming "
           "SYMBOL (empty: "
           "all);\n"
           "fault-path=PREFIX plays it only on requests whose path starts with PREFIX;\n"
           "trickle-ms=N sets the gap between the bytes of a trickling reply.\n";
}

std::string defaultDataDir(const std::string &argv0)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = fs::absolute(argv0, ec);
    // The build tree's bin/ sits two levels under the sources; an installed program finds its
    // lists in the share folder beside bin/.
    for (const fs::path &near : {exe.parent_path() / ".." / ".." / "data",
                                 exe.parent_path() / ".." / "share" / "vantrel" / "data"}) {
        if (fs::exists(near / "companylist.csv", ec)) {
            const fs::path tidy = fs::weakly_canonical(near, ec);
            return (ec ? near : tidy).string();
        }
    }
    return VANTREL_DATA_DIR;
}
