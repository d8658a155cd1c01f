#include "core/chartlink/instancekiller.h"

namespace chartlink {
namespace {

const char *reason(KillStatus status)
{
    switch (status) {
    case KillStatus::OpenFailed:
        return "it could not be opened";
    case KillStatus::TerminateFailed:
        return "terminating it failed";
    default:
        return "it could not be ended";
    }
}

} // namespace

bool isProgram(const std::string &path, const std::string &program)
{
    if (program.find('/') != std::string::npos)
        return path == program;
    const std::size_t slash = path.rfind('/');
    return path.compare(slash == std::string::npos ? 0 : slash + 1, std::string::npos, program) ==
           0;
}

KillStatus InstanceKiller::killOne(const std::string &program)
{
    if (program.empty() || program.size() > 260)
        return KillStatus::BadName;
    std::vector<ProcessEntry> processes;
    if (!m_table.list(processes))
        return KillStatus::ListFailed;
    const long user = m_table.user();
    for (const ProcessEntry &p : processes) {
        if (m_passed.contains(p.pid) || p.owner != user || !isProgram(p.path, program))
            continue;
        m_passed.insert(p.pid);
        m_last = p.pid;
        switch (m_table.terminate(p.pid)) {
        case ProcessTable::Termination::Done:
            return KillStatus::Terminated;
        case ProcessTable::Termination::OpenFailed:
            return KillStatus::OpenFailed;
        case ProcessTable::Termination::Failed:
            return KillStatus::TerminateFailed;
        }
    }
    return KillStatus::NotRunning;
}

KillReport InstanceKiller::killAll(const std::string &program)
{
    KillReport report;
    for (;;) {
        const KillStatus status = killOne(program);
        if (status == KillStatus::Terminated) {
            ++report.ended;
            continue;
        }
        if (status == KillStatus::NotRunning)
            return report;
        if (status == KillStatus::BadName || status == KillStatus::ListFailed) {
            report.listing = status;
            return report;
        }
        report.failed.push_back({m_last, status});
    }
}

std::string killMessage(const KillReport &report, const std::string &program)
{
    if (report.listing == KillStatus::BadName)
        return "No instance was ended: \"" + program + "\" is not a program name.";
    const std::string ended = "Ended " + std::to_string(report.ended) + " running instance" +
                              (report.ended == 1 ? "" : "s") + " of " + program + ".";
    if (report.listing == KillStatus::ListFailed)
        return ended + "\nThe running programs could not be listed, so others may still run.";
    if (report.failed.empty())
        return ended + "\n\nAll instances of Ami Broker are closed\n\nNow Close All running "
                       "instances of Vantrel\nThen Run Ami Broker FIRST and then Vantrel";
    std::string text = ended + "\nThese could not be ended:";
    for (const KillReport::Failure &f : report.failed)
        text += "\n  process " + std::to_string(f.pid) + " (" + reason(f.status) + ")";
    return text;
}

} // namespace chartlink
