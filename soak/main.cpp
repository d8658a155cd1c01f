// vantrel-soak: the whole program through a simulated trading day under a real display. Prints
// "soak refreshes N rss_growth_mb X fds_growth N max_stall_ms X" and exits non-zero when the
// run grew, stood still or did not get through the day.
#include "gui/controls/dialogunits.h"
#include "soakday.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <clocale>
#include <cstdio>

int main(int argc, char **argv)
{
    SoakPlan plan;
    std::string error;
    if (!plan.parse(argc, argv, error)) {
        std::fprintf(stderr, "vantrel-soak: %s\n", error.c_str());
        return 2;
    }
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setFont(DialogUnits::dialogFont());
    QApplication::setQuitOnLastWindowClosed(false);

    SoakDay day(plan);
    QString why;
    if (!day.setUp(why)) {
        std::fprintf(stderr, "vantrel-soak: %s\n", qPrintable(why));
        return 1;
    }
    // Four times the planned pace, and a margin for start-up, before the day counts as stuck.
    const int steps = plan.hours * 3600 / SoakPlan::StepSeconds;
    // A loop of its own: quitting the application would ask the bar to close first.
    QEventLoop loop;
    bool finished = false;
    QObject::connect(&day, &SoakDay::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(steps * SoakPlan::RefreshPeriodMs * 4 + 120000, &loop, &QEventLoop::quit);
    loop.exec();

    std::fprintf(stderr, "%s\n", qPrintable(day.notes()));
    if (!finished) {
        std::fprintf(stderr, "vantrel-soak: the day did not get to its end\n");
        return 1;
    }
    const SoakFigures &figures = day.figures();
    std::printf("%s\n", figures.line().c_str());
    std::fflush(stdout);
    if (const std::string failed = figures.failures(); !failed.empty()) {
        std::fprintf(stderr, "vantrel-soak: %s\n", failed.c_str());
        return 1;
    }
    return 0;
}
