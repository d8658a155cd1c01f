// Time from exec to the first window mapped, for several command lines run in turn on the
// same X display, so that a busy moment of the machine weighs on all of them alike.
//   startupbench RUNS -- NAME COMMAND ARGS... -- NAME COMMAND ARGS...
// Prints "NAME MEDIAN_MS Q1_MS Q3_MS" per command line, then for each but the first
// "NAME/FIRST RATIO Q1 Q3": its time over the first one's in the same round, the median over
// the rounds, which a busy moment spoils less than a ratio of medians. The program is ended
// with SIGTERM once mapped.
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
using Clock = std::chrono::steady_clock;

struct Subject
{
    std::string name;
    std::vector<std::string> argv;
    std::vector<double> times;
};

struct Spread
{
    double median, q1, q3;
};

Spread spread(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const auto at = [&values](double q) {
        return values[std::size_t(q * (values.size() - 1) + 0.5)];
    };
    return {at(0.5), at(0.25), at(0.75)};
}

// -1 when no window came within the time allowed.
double timeToMap(Display *display, const Subject &subject)
{
    // Events of earlier runs are not this one's.
    XSync(display, True);
    std::vector<char *> args;
    for (const std::string &a : subject.argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    const Clock::time_point started = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // What the program says is not the figure's business.
        if (const int null = open("/dev/null", O_WRONLY); null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execvp(args[0], args.data());
        _exit(127);
    }
    double ms = -1;
    const Clock::time_point deadline = started + std::chrono::seconds(20);
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    while (ms < 0 && Clock::now() < deadline) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && ms < 0)
                ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
        }
        if (ms < 0)
            poll(&fd, 1, 50);
    }
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    return ms;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s RUNS -- NAME COMMAND... [-- NAME COMMAND...]\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<Subject> subjects;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            subjects.emplace_back();
        else if (subjects.empty())
            return 2;
        else if (subjects.back().name.empty())
            subjects.back().name = argv[i];
        else
            subjects.back().argv.emplace_back(argv[i]);
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startupbench: no X display\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    // Round -1 warms the caches and is not counted.
    for (int r = -1; r < runs; ++r) {
        for (Subject &s : subjects) {
            const double ms = timeToMap(display, s);
            if (ms < 0) {
                std::fprintf(stderr, "startupbench: %s mapped no window\n", s.name.c_str());
                return 1;
            }
            if (r >= 0)
                s.times.push_back(ms);
            // Let the ended program's children go before the next one starts.
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
        }
    }
    for (const Subject &s : subjects) {
        const Spread t = spread(s.times);
        std::printf("%s %.1f %.1f %.1f\n", s.name.c_str(), t.median, t.q1, t.q3);
    }
    for (std::size_t i = 1; i < subjects.size(); ++i) {
        std::vector<double> ratios;
        for (std::size_t r = 0; r < subjects[i].times.size(); ++r)
            ratios.push_back(subjects[i].times[r] / subjects[0].times[r]);
        const Spread q = spread(ratios);
        std::printf("%s/%s %.3f %.3f %.3f\n", subjects[i].name.c_str(), subjects[0].name.c_str(),
                    q.median, q.q1, q.q3);
    }
    XCloseDisplay(display);
    return 0;
}
