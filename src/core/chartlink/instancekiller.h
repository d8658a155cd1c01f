#pragma once

#include <set>
#include <string>
#include <vector>

// Ends a hung charting program: every running process of one program name is terminated.
namespace chartlink {

struct ProcessEntry
{
    long pid = 0;
    std::string name; // the program's file name; "Unknown" when it cannot be read
};

// The operating system's process list and its termination call.
class ProcessTable
{
public:
    enum class Termination { Done, OpenFailed, Failed };
    virtual ~ProcessTable() = default;
    // False when the list cannot be read.
    virtual bool list(std::vector<ProcessEntry> &out) = 0;
    virtual Termination terminate(long pid) = 0;
};

namespace killstatus {
inline constexpr int Terminated = 0;
inline constexpr int TerminateFailed = 602;
inline constexpr int NotRunning = 603;
inline constexpr int OpenFailed = 604;
inline constexpr int BadName = 632;
inline constexpr int ListFailed = 701;
} // namespace killstatus

// Terminates the first process of that name (compared without regard to case) and says how
// it went. Processes it has terminated before are passed over: one that takes a moment to go
// is not counted twice.
class InstanceKiller
{
public:
    explicit InstanceKiller(ProcessTable &table) : m_table(table) {}
    int killOne(const std::string &name);
    // Keeps terminating while that succeeds; the last status (never 0).
    int killAll(const std::string &name);

private:
    ProcessTable &m_table;
    std::set<long> m_terminated;
};

} // namespace chartlink
