#pragma once

#include <set>
#include <string>

// What the running process holds, read from /proc/self: resident memory and open descriptors,
// and how long the calling thread has waited for a processor.
namespace procstats {
// Resident set size in kilobytes (VmRSS), or -1 when it can't be read.
long residentKb();
// Entries of /proc/self/fd, not counting the one used to list them.
long openDescriptors();
// The same less the wakeup descriptor each of Qt's pooled worker threads holds: the raster
// engine paints large areas on such threads and keeps them 30 s after their last job, so
// their number at any moment says how busy the machine was, not what the program leaked.
long ownDescriptors();
// What each open descriptor refers to ("socket:[123]", a file's path), for telling which grew.
std::multiset<std::string> descriptorTargets();
// The names of the process's threads (/proc/self/task/*/comm), for telling what holds a descriptor.
std::multiset<std::string> threadNames();
// Nanoseconds the calling thread has spent ready to run while the machine's processors ran
// something else (the second field of /proc/thread-self/schedstat), or -1 when the kernel
// doesn't keep the figure.
long long processorWaitNs();
} // namespace procstats
