#pragma once

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <pthread.h>
#include <string>

// How the simulator and the gateway live as processes. Stop signals are taken by the main
// thread alone, in sigwait: every server thread inherits the mask, so none of them is ever
// interrupted by one. Call before any thread starts.
inline sigset_t blockStopSignals()
{
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN); // a client that hangs up mid-reply is no reason to die
    return stopSignals;
}

// Starts the server on the port (0: any free one), prints the port alone on the first line of
// the output, and serves until a stop signal comes. Returns the process's exit code.
template <typename Server>
int serveUntilStopped(Server &server, int port, const sigset_t &stopSignals, const char *program)
{
    std::string error;
    if (!server.start(port, error)) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        return 1;
    }
    std::printf("%d\n", server.port());
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    if (!server.stop(std::chrono::milliseconds(1500))) {
        // A reply still being written (or a source call still running) holds a worker; the
        // process must not outlive its parent's patience for it.
        std::fflush(nullptr);
        std::_Exit(0);
    }
    return 0;
}
