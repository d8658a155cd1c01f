#pragma once

#include "core/common/clock.h"

#include <string>

// The stamps of the data files, zero-padded, four-digit year.
namespace logstamp {
std::string dateFolder(const LocalTime &t); // MM-DD-YYYY
std::string date(const LocalTime &t);       // MM/DD/YYYY
std::string time(const LocalTime &t);       // HH:MM:SS, 24-hour
// The time of day 900 seconds earlier; SENSEX bars are stamped so.
std::string timeMinus15(const LocalTime &t);
// "%.2f" without grouping, whatever the locale.
std::string price(double value);
} // namespace logstamp
