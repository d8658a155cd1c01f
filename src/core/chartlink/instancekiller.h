#pragma once

#include <set>
#include <string>
#include <vector>

// Ends a hung charting program: every running process of one program file that belongs to
// the user running Vantrel is terminated.
namespace chartlink {

struct ProcessEntry
{
    long pid = 0;
    std::string path; // the program file's full path; "Unknown" when it cannot be read
    long owner = -1;  // the user the process runs as; -1 when it cannot be read
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
    // The user running this program.
    virtual long user() const = 0;
};

enum class KillStatus {
    Terminated,      // a matching process was terminated
    TerminateFailed, // terminating it failed
    NotRunning,      // no (further) process of that program is running
    OpenFailed,      // opening it for termination failed
    BadName,         // the program name is empty or longer than 260 characters
    ListFailed,      // the process list could not be read
};

// The program a name stands for: a name with a "/" is one file; a bare name is any file of
// that exact name (letter case counts: "LVCHARTBOOK" is not "lvchartbook").
bool isProgram(const std::string &path, const std::string &program);

// What "Kill All" did: the processes it ended, and those it found but could not end.
struct KillReport
{
    struct Failure
    {
        long pid = 0;
        KillStatus status = KillStatus::TerminateFailed;
    };
    int ended = 0;
    std::vector<Failure> failed;
    KillStatus listing = KillStatus::NotRunning; // BadName or ListFailed when nothing was tried
};

// The message "Kill All" shows for its report.
std::string killMessage(const KillReport &report, const std::string &program);

// Terminates the user's processes of one program, one call at a time. Processes it has
// terminated or failed on before are passed over: one that takes a moment to go is not
// counted twice, and one that refuses does not stop the rest.
class InstanceKiller
{
public:
    explicit InstanceKiller(ProcessTable &table) : m_table(table) {}
    KillStatus killOne(const std::string &program);
    KillReport killAll(const std::string &program);

private:
    ProcessTable &m_table;
    std::set<long> m_passed;
    long m_last = 0; // the process the last call tried
};

} // namespace chartlink
