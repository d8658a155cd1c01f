#include "soakplan.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

int SoakPlan::baselineSeconds() const
{
    const int quarter = hours * 3600 / 4;
    const int mark = (quarter + SweepEvery - 1) / SweepEvery * SweepEvery;
    return startSeconds() + std::clamp(mark, 2 * SweepEvery, 3600);
}

bool SoakPlan::parse(int argc, const char *const *argv, std::string &error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg != "--hours" || i + 1 == argc) {
            error = "usage: vantrel-soak [--hours N], N from 1 to " + std::to_string(FullDayHours);
            return false;
        }
        char *end = nullptr;
        const long n = std::strtol(argv[++i], &end, 10);
        if (*end != '\0' || n < 1 || n > FullDayHours) {
            error = "--hours takes a whole number from 1 to " + std::to_string(FullDayHours);
            return false;
        }
        hours = static_cast<int>(n);
    }
    return true;
}

std::string SoakFigures::line() const
{
    char text[200];
    std::snprintf(text, sizeof text,
                  "soak refreshes %d rss_growth_mb %.1f fds_growth %ld max_stall_ms %lld "
                  "max_own_stall_ms %lld",
                  refreshes, rssGrowthMb, fdsGrowth, maxStallMs, maxOwnStallMs);
    return text;
}

std::string SoakFigures::failures() const
{
    std::string out;
    const auto fail = [&out](const std::string &what) { out += (out.empty() ? "" : "; ") + what; };
    if (rssGrowthMb > MaxRssGrowthMb)
        fail("resident memory grew by more than 10 MB");
    if (fdsGrowth > 0)
        fail("open file descriptors grew");
    if (maxOwnStallMs > MaxStallMs)
        fail("the event loop froze for more than a second");
    if (refreshes == 0)
        fail("no refresh came through");
    return out;
}
