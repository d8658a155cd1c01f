#pragma once

#include <string>

// The simulated trading day the soak runs through, in steps of one refresh, with a toppers
// sweep at the start and every ten minutes, the live chart opened once logging has begun, and
// the baseline for growth taken once every view is open and both exchanges have been swept.
// The whole day runs from 09:00 to 16:00; a shorter run starts at 09:45, so that even one
// hour sees the closed-market files, the start of logging and the live chart.
struct SoakPlan
{
    static constexpr int DayStart = 9 * 3600;
    static constexpr int ShortStart = 9 * 3600 + 45 * 60;
    static constexpr int FullDayHours = 7; // to 16:00
    // The program's own refresh period, in simulated seconds.
    static constexpr int StepSeconds = 15;
    static constexpr int SweepEvery = 600;
    // A minute after logging starts at 09:55, so the chart finds the day's first bars.
    static constexpr int LiveChartAt = 9 * 3600 + 56 * 60;
    // Wall time between refreshes: the whole day in about ten minutes.
    static constexpr int RefreshPeriodMs = 350;

    int hours = FullDayHours;

    int startSeconds() const { return hours == FullDayHours ? DayStart : ShortStart; }
    int endSeconds() const { return startSeconds() + hours * 3600; }
    // The end of the first hour; a shorter run the first sweep mark after its first quarter,
    // the third at the earliest.
    int baselineSeconds() const;
    bool sweepAt(int seconds) const { return (seconds - startSeconds()) % SweepEvery == 0; }

    // "--hours N" with N from 1 to the whole day; false with the reason otherwise.
    bool parse(int argc, const char *const *argv, std::string &error);
};

// What a run measured, and whether it passes: no RSS growth above 10 MB and no descriptor
// growth from the baseline to the end, and no freeze: no event-loop stall of the program's own
// (not counting waits for a processor the machine gave to other programs) above one second
// after start-up. Shorter stalls are figures for scripts/bench.sh, not failures: a shared
// two-core machine reaches 100 ms now and then.
struct SoakFigures
{
    static constexpr double MaxRssGrowthMb = 10;
    static constexpr long long MaxStallMs = 1000;

    int refreshes = 0;
    double rssGrowthMb = 0;
    long fdsGrowth = 0;
    long long maxStallMs = 0;
    long long maxOwnStallMs = 0;

    std::string line() const;
    // Empty when the run passes, else what failed.
    std::string failures() const;
};
