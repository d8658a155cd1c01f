#include "simapp.h"

#include "serviceprocess.h"
#include "simserver.h"

#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <pthread.h>
#include <unistd.h>

int runSimulator(const SimOptions &options)
{
    const sigset_t stopSignals = blockStopSignals();

    // Chart images need fonts, and fonts need a GUI application; the offscreen platform
    // gives one without any display. Its event loop never runs: drawing is on the workers.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "vantrel-sim";
    static char *argv[] = {name, nullptr};
    QGuiApplication graphics(argc, argv);

    SimServer server(options);
    if (!server.warning().empty())
        std::fprintf(stderr, "vantrel-sim: %s\n", server.warning().c_str());
    return serveUntilStopped(server, options.port, stopSignals, "vantrel-sim");
}
