#pragma once

#include "core/net/quoteorigin.h"

#include <string>

// How a sweep ended: how many companies came back with a readable price, and how many of
// its requests failed (the first failure's reason kept for the message).
struct ToppersOutcome
{
    int companies = 0;
    int answered = 0;
    int requests = 0;
    int failed = 0;
    std::string reason;

    // Every request answered and every company with a readable price.
    bool complete() const { return failed == 0 && answered == companies; }
};

namespace toppersstatus {
inline constexpr const char *Completed = "Data Retrieval Successfully Completed!!!\nNow you can "
                                         "click on Column Headers\n to find the TOPPERS";

// The panel's status line after a sweep: the success text only for a complete sweep,
// otherwise how many companies answered out of how many and how many requests failed.
std::string text(const ToppersOutcome &outcome);
// The one message that says why a sweep is incomplete; empty for a complete one.
std::string problem(const ToppersOutcome &outcome);
// The line under the status in live mode: where the sweep's prices came from and of which
// day ("Prices: Close of 05-Dec-2026 via end of day"), or that no file answered.
std::string sourceLine(const QuoteOrigin &origin);
} // namespace toppersstatus
