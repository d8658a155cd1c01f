#include "gatewayoptions.h"
#include "gatewayserver.h"
#include "livemarket.h"
#include "serviceprocess.h"

#include <QGuiApplication>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <pthread.h>
#include <sstream>

namespace {
// The data root as the program finds it: the option, else VANTREL_HOME, else ~/Vantrel.
std::string dataRootOf(const GatewayOptions &options)
{
    if (!options.dataDir.empty())
        return options.dataDir;
    if (const char *home = std::getenv("VANTREL_HOME"); home && *home)
        return home;
    const char *user = std::getenv("HOME");
    return std::string(user ? user : ".") + "/Vantrel";
}
// The exchanges' holidays: the option's file, else the data root's, else the project's.
std::shared_ptr<const MarketCalendar> calendarOf(const GatewayOptions &options,
                                                 const std::string &dataRoot)
{
    auto calendar = std::make_shared<MarketCalendar>();
    const std::vector<std::string> candidates =
        options.holidaysFile.empty()
            ? std::vector<std::string>{dataRoot + "/holidays.csv",
                                       std::string(VANTREL_DATA_DIR) + "/holidays.csv"}
            : std::vector<std::string>{options.holidaysFile};
    for (const std::string &path : candidates) {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            continue;
        std::ostringstream text;
        text << in.rdbuf();
        if (!calendar->readHolidays(text.str()))
            std::fprintf(stderr, "vantrel-gateway: %s has lines that are not holidays\n",
                         path.c_str());
        return calendar;
    }
    std::fprintf(stderr, "vantrel-gateway: no holiday list; every weekday counts as trading\n");
    return calendar;
}
} // namespace

int main(int argc, char **argv)
{
    std::string error;
    std::optional<GatewayOptions> options = parseGatewayOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "vantrel-gateway: %s\n%s", error.c_str(), gatewayUsage().c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(gatewayUsage().c_str(), stdout);
        return 0;
    }
    const sigset_t stopSignals = blockStopSignals();

    // Chart images need fonts, and fonts need a GUI application; the offscreen platform
    // gives one without any display. Its event loop never runs: drawing is on the workers.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int graphicsArgc = 1;
    static char name[] = "vantrel-gateway";
    static char *graphicsArgv[] = {name, nullptr};
    QGuiApplication graphics(graphicsArgc, graphicsArgv);

    LiveSourceConfig config = options->sources;
    config.dataRoot = dataRootOf(*options);
    if (!config.now)
        config.now = [] { return std::chrono::system_clock::now(); };
    config.calendar = calendarOf(*options, config.dataRoot);
    LiveMarket::Options marketOptions;
    marketOptions.calendar = config.calendar;
    marketOptions.now = config.now;
    LiveMarket market(makeLiveSources(config), marketOptions);
    GatewayServer server(market);
    if (!options->accessLog.empty() && !server.openAccessLog(options->accessLog))
        std::fprintf(stderr, "vantrel-gateway: cannot open the access log %s\n",
                     options->accessLog.c_str());
    return serveUntilStopped(server, options->port, stopSignals, "vantrel-gateway");
}
