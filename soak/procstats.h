#pragma once

#include <set>
#include <string>

// What the running process holds, read from /proc/self: resident memory and open descriptors.
namespace procstats {
// Resident set size in kilobytes (VmRSS), or -1 when it can't be read.
long residentKb();
// Entries of /proc/self/fd, not counting the one used to list them.
long openDescriptors();
// What each open descriptor refers to ("socket:[123]", a file's path), for telling which grew.
std::multiset<std::string> descriptorTargets();
} // namespace procstats
