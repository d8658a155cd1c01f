#pragma once

#include "bar.h"

#include <string>
#include <string_view>
#include <vector>

// The bars of a backfill text: the chart-data service's bar lines
// "Timestamp,close,high,low,open,volume", each followed by "*". Empty lines are skipped; an
// empty text is no bars. False, with the reason in error, when any line is malformed or
// describes no possible bar (a high below the open, say). Bars come back sorted by time,
// one per minute (the later line wins), each spanning the closest distance between two
// bars of the text: the service's bars are all of one size, and the text says nothing else
// of it. A lone bar spans one minute.
bool parseBackfillText(std::string_view text, std::vector<Bar> &bars, std::string &error);
