#include "gatewayoptions.h"
#include "gatewayserver.h"
#include "livemarket.h"

#include <QGuiApplication>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <pthread.h>

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
    // Signals are taken by this thread alone, in sigwait: every server thread inherits the
    // mask, so none of them is ever interrupted by one.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN); // a client that hangs up mid-reply is no reason to die

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
    LiveMarket market(makeLiveSources(config));
    GatewayServer server(market);
    if (!options->accessLog.empty() && !server.openAccessLog(options->accessLog))
        std::fprintf(stderr, "vantrel-gateway: cannot open the access log %s\n",
                     options->accessLog.c_str());
    if (!server.start(options->port, error)) {
        std::fprintf(stderr, "vantrel-gateway: %s\n", error.c_str());
        return 1;
    }
    std::printf("%d\n", server.port());
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    if (!server.stop(std::chrono::milliseconds(1500))) {
        // A source call still running holds a worker; the process must not outlive its
        // parent's patience for it.
        std::fflush(nullptr);
        std::_Exit(0);
    }
    return 0;
}
