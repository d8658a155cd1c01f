#pragma once

#include "core/store/storerows.h"

#include <string>
#include <vector>

// What the store worker saves in round n of its run: every round differs from the one before
// in every row and in the number of rows, so a table caught halfway through a save would show.
namespace savedstate {
inline std::string tag(int run, int n)
{
    return std::to_string(run) + "-" + std::to_string(n);
}

inline std::vector<WatchRow> watchList(int run, int n)
{
    std::vector<WatchRow> rows;
    for (int k = 0; k < 30 + n % 21; ++k) {
        const std::string t = tag(run, n) + "-" + std::to_string(k);
        rows.push_back(
            {"Company's " + t, k % 2 ? "BSE" : "NSE", "S" + t, k % 2, n + k * 0.5, n + k + 100.25});
    }
    return rows;
}

// Lots of another stock, stored before the rounds: every rewrite of the table must keep them.
inline std::vector<ProfileLot> keptLots()
{
    return {{"Kept One", "NSE", "KEPT", 0, 101.5, 10, 1},
            {"Kept One", "NSE", "KEPT", 1, 99.25, 5, 1}};
}

inline constexpr const char *HeldSymbol = "HELD";

// The held stock's delivery lots as round n leaves them.
inline std::vector<ProfileLot> heldLots(int run, int n)
{
    std::vector<ProfileLot> lots;
    for (int k = 0; k < 10 + n % 25; ++k)
        lots.push_back(
            {"Held " + tag(run, n), "BSE", HeldSymbol, 0, run * 1000 + n + k * 0.25, k + 1, 2});
    return lots;
}

// The company that round n adds to the reference list.
inline CompanyRow company(int run, int n)
{
    return {"Worker Company " + tag(run, n), "W" + tag(run, n), ""};
}
} // namespace savedstate
