#pragma once

#include <string>

// Base URLs of the services the program talks to (scheme, host and port; the paths are the
// program's own). When the user names no quote service, every service is the built-in
// simulator, or with --live the live gateway, and the program says so wherever prices are
// shown.
struct ServiceUrls
{
    std::string quote;
    std::string chart;
    std::string chartData;
    std::string exchange;
    std::string lookup;
    bool simulated = false;
    bool live = false; // quotes from the live gateway
};
