#pragma once

#include "civildate.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Simulated wall-clock time: seconds since 1970-01-01 00:00 of the market's local time, with
// no time zone attached. The whole simulator reasons in this one local time, as the program
// does with its own market-hours rules.
namespace simtime {

// Days since 1970-01-01 for a proleptic Gregorian date, and back, and a time's day.
using ::CivilDate;
using ::civilFromDays;
using ::dayOf;
using ::daysFromCivil;
using ::secondOfDay;
using ::SecondsPerDay;

// 0 = Monday ... 6 = Sunday.
int weekday(std::int64_t days);

// "2026-12-04T11:00:00" (a space for the T and a missing ":SS" are accepted too).
std::optional<std::int64_t> parseIso(std::string_view text);
std::string formatIso(std::int64_t seconds);

// The quote service's forms: "12/4/2026" and "3:59pm".
std::string formatQuoteDate(std::int64_t days);
std::string formatQuoteTime(int minuteOfDay);

// The machine's current local time in this representation.
std::int64_t machineNow();

} // namespace simtime
