#include "simapp.h"

#include "simserver.h"

#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <pthread.h>
#include <unistd.h>

int runSimulator(const SimOptions &options)
{
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
    static int argc = 1;
    static char name[] = "vantrel-sim";
    static char *argv[] = {name, nullptr};
    QGuiApplication graphics(argc, argv);

    SimServer server(options);
    if (!server.warning().empty())
        std::fprintf(stderr, "vantrel-sim: %s\n", server.warning().c_str());
    std::string error;
    if (!server.start(options.port, error)) {
        std::fprintf(stderr, "vantrel-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%d\n", server.port());
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    if (!server.stop(std::chrono::milliseconds(1500))) {
        // A client that stopped reading holds a worker in a blocking write; the process
        // must not outlive its parent's patience for that.
        std::fflush(nullptr);
        std::_Exit(0);
    }
    return 0;
}
