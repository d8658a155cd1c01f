#include "gatewayoptions.h"

#include "commandargs.h"
#include "gatewayconfig.h"

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>
#include <utility>

namespace {
bool parseNumber(std::string_view text, double &out)
{
    const char *end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && stop == end && out > 0;
}

struct UrlOption
{
    std::string_view name;
    const char *variable;
    std::string LiveSourceConfig::*field;
};

// Where each URL option goes in the sources' settings, and the environment variable that
// gives it when the option does not (so a program that starts the gateway can be pointed at
// stand-in sources).
constexpr UrlOption UrlOptions[] = {
    {"--chart-url", "VANTREL_LIVE_CHART_URL", &LiveSourceConfig::chartBaseUrl},
    {"--batch-url", "VANTREL_LIVE_BATCH_URL", &LiveSourceConfig::batchBaseUrl},
    {"--crumb-page-url", "VANTREL_LIVE_CRUMB_PAGE_URL", &LiveSourceConfig::crumbPageUrl},
    {"--nse-url", "VANTREL_LIVE_NSE_URL", &LiveSourceConfig::nseArchiveBaseUrl},
    {"--bse-url", "VANTREL_LIVE_BSE_URL", &LiveSourceConfig::bseBaseUrl},
};

bool webUrl(std::string_view url)
{
    return url.starts_with("http://") || url.starts_with("https://");
}

// The settings file: the one named by --config (which must be there), else the user's own
// when it exists.
bool readSettingsFile(int argc, const char *const *argv, GatewayOptions &o, std::string &error)
{
    CommandArgs args(argc, argv);
    std::string_view named;
    while (args.next())
        if (args.name() == "--config" && !args.value(named, error))
            return false;
    o.configFile = named.empty() ? defaultGatewayConfigPath() : std::string(named);
    std::ifstream in(o.configFile, std::ios::binary);
    if (!in) {
        if (named.empty())
            return true;
        error = "cannot read " + o.configFile;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (!readGatewayConfig(text.str(), o.sources, error)) {
        error = o.configFile + ", " + error;
        return false;
    }
    return true;
}
} // namespace

std::optional<GatewayOptions> parseGatewayOptions(int argc, const char *const *argv,
                                                  std::string &error)
{
    GatewayOptions o;
    if (!readSettingsFile(argc, argv, o, error))
        return std::nullopt;
    for (const UrlOption &u : UrlOptions) {
        std::string_view value = std::getenv(u.variable) ? std::getenv(u.variable) : "";
        while (value.ends_with('/'))
            value.remove_suffix(1);
        if (value.empty())
            continue;
        if (!webUrl(value)) {
            error = "bad value for " + std::string(u.variable) + ": " + std::string(value);
            return std::nullopt;
        }
        o.sources.*u.field = value;
    }
    CommandArgs args(argc, argv);
    while (args.next()) {
        const std::string_view arg = args.name();
        std::string_view value;
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            continue;
        }
        std::string LiveSourceConfig::*url = nullptr;
        for (const UrlOption &u : UrlOptions)
            if (arg == u.name)
                url = u.field;
        const bool known = url || arg == "--port" || arg == "--access-log" || arg == "--data-dir" ||
                           arg == "--requests-per-second" || arg == "--requests-per-minute" ||
                           arg == "--config" || arg == "--holidays" || arg == "--proxy" ||
                           arg == "--sources";
        if (!known) {
            error = args.unknown();
            return std::nullopt;
        }
        if (!args.value(value, error))
            return std::nullopt;
        bool good = true;
        if (arg == "--port") {
            const char *end = value.data() + value.size();
            const auto [stop, ec] = std::from_chars(value.data(), end, o.port);
            good = ec == std::errc() && stop == end && o.port >= 0 && o.port <= 65535;
        } else if (arg == "--requests-per-second") {
            good = parseNumber(value, o.sources.requestsPerSecond);
        } else if (arg == "--requests-per-minute") {
            double n = 0;
            good = parseNumber(value, n) && n == static_cast<int>(n);
            o.sources.requestsPerMinute = static_cast<int>(n);
        } else if (arg == "--config") {
            // read before the rest
        } else if (arg == "--holidays") {
            o.holidaysFile = value;
        } else if (arg == "--proxy") {
            o.sources.proxy = value;
        } else if (arg == "--sources") {
            good = parseSourceOrder(value, o.sources.order);
        } else if (arg == "--access-log") {
            o.accessLog = value;
        } else if (arg == "--data-dir") {
            o.dataDir = value;
        } else {
            // A trailing "/" would double up with the paths the sources add.
            while (value.ends_with('/'))
                value.remove_suffix(1);
            good = webUrl(value);
            o.sources.*url = value;
        }
        if (!good) {
            error = args.badValue(value);
            return std::nullopt;
        }
    }
    return o;
}

std::string gatewayUsage()
{
    return "Usage: vantrel-gateway [options]\n"
           "Serves Vantrel's quote service on 127.0.0.1 from live public price sources, with\n"
           "the exchanges' end-of-day files as the fall-back. Quotes are answered at once from\n"
           "the gateway's cache, which a poller keeps fresh for every symbol asked for in the\n"
           "last five minutes (the bar's first), within a request budget per host. Each answer\n"
           "says how fresh it is: \"LIVE via <source>\", \"DELAYED <n> min\", \"CLOSED \xc2\xb7 "
           "last\n"
           "close <date>\" or \"END OF DAY <date>\", by the least fresh of its quotes. A field no\n"
           "source gave is N/A; when every source refuses and nothing is kept, quote requests\n"
           "answer HTTP 503. GET /gateway/status tells each source's state. Prints the port\n"
           "it listens on alone on the first line. Prices may be delayed; the sources' terms\n"
           "of use apply.\n"
           "\n"
           "  --port N                 port to listen on; 0 (default) picks a free one\n"
           "  --data-dir DIR           data root; end-of-day files are kept in DIR/LiveEOD\n"
           "                           (default: $VANTREL_HOME, else ~/Vantrel)\n"
           "  --config FILE            settings file (default: $XDG_CONFIG_HOME/vantrel/\n"
           "                           gateway.conf, else ~/.config/vantrel/gateway.conf)\n"
           "  --sources LIST           sources in the order tried (default:\n"
           "                           batch,chart,end-of-day)\n"
           "  --requests-per-minute N  at most N requests a minute to each host (default 60)\n"
           "  --requests-per-second N  and at most N a second in a burst (default 5)\n"
           "  --proxy URL              HTTP proxy, http://[user:pass@]host:port (default:\n"
           "                           $https_proxy; stand-ins on 127.0.0.1 are reached\n"
           "                           directly)\n"
           "  --holidays FILE          exchange holidays, date,weekday,occasion lines\n"
           "                           (default: DIR/holidays.csv, else the project's); a year\n"
           "                           with no list counts every weekday as a trading day\n"
           "  --access-log FILE        append every request's path and query to FILE\n"
           "  --chart-url URL          base URL of the chart API\n"
           "  --batch-url URL          base URL of the batch quote API\n"
           "  --crumb-page-url URL     page whose cookies the batch quote API needs\n"
           "  --nse-url URL            base URL of NSE's end-of-day archive\n"
           "  --bse-url URL            base URL of BSE's end-of-day files\n"
           "                           (each URL also from VANTREL_LIVE_CHART_URL,\n"
           "                           VANTREL_LIVE_BATCH_URL, VANTREL_LIVE_CRUMB_PAGE_URL,\n"
           "                           VANTREL_LIVE_NSE_URL, VANTREL_LIVE_BSE_URL)\n"
           "  --help                   this text\n"
           "\n"
           "Settings file, one \"name = value\" a line, \"#\" starts a comment; the options\n"
           "above override it:\n"
           "  sources = batch, chart, end-of-day\n"
           "  requests-per-minute = 60\n"
           "  proxy = http://proxy.example:3128\n"
           "  chart-url, batch-url, crumb-page-url, nse-url, bse-url = URL\n";
}
