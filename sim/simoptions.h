#pragma once

#include "replypolicy.h"

#include <cstdint>
#include <optional>
#include <string>

// vantrel-sim's command line.
struct SimOptions
{
    static constexpr std::uint64_t DefaultSeed = 20080627;

    int port = 0; // 0: any free port
    std::uint64_t seed = DefaultSeed;
    std::optional<std::int64_t> clock; // a fixed simulated time; none: the machine's clock
    bool alwaysOpen = false;
    std::string accessLog;
    std::string dataDir; // empty: found beside the executable
    ReplyPolicy::Settings reply;
    bool help = false;
};

// Nothing, with the reason in error, when an option is unknown or its value is bad.
std::optional<SimOptions> parseSimOptions(int argc, const char *const *argv, std::string &error);
std::string simUsage();

// The data folder: ../../data from the executable's folder (a build tree's bin/) when it
// holds the company list, else the source tree's data folder the build was made from.
std::string defaultDataDir(const std::string &argv0);
