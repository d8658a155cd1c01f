#include "platform/common/terminationsignals.h"

#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// A signal handler may only write to a descriptor; the event loop reads the other end.
int signalPair[2] = {-1, -1};
bool requested = false;

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPair[0], &byte, 1);
}
} // namespace

void quitOnTerminationSignals(QCoreApplication &app)
{
    if (signalPair[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPair) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPair[1], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char byte;
        [[maybe_unused]] const ssize_t read = ::read(signalPair[1], &byte, 1);
        requested = true;
        // exit(), not quit(): quit() first asks every window to close, and the bar asks the
        // user. exit() ends the modal loops as well as the main one.
        QCoreApplication::exit(0);
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

bool terminationRequested()
{
    return requested;
}
#else
void quitOnTerminationSignals(QCoreApplication &) {}
bool terminationRequested()
{
    return false;
}
#endif
