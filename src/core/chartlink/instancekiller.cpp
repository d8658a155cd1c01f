#include "core/chartlink/instancekiller.h"

#include <algorithm>
#include <cctype>

namespace chartlink {
namespace {

std::string upper(std::string text)
{
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

} // namespace

int InstanceKiller::killOne(const std::string &name)
{
    if (name.empty() || name.size() > 260)
        return killstatus::BadName;
    std::vector<ProcessEntry> processes;
    if (!m_table.list(processes))
        return killstatus::ListFailed;
    const std::string wanted = upper(name);
    for (const ProcessEntry &p : processes) {
        if (m_terminated.contains(p.pid) || upper(p.name) != wanted)
            continue;
        switch (m_table.terminate(p.pid)) {
        case ProcessTable::Termination::Done:
            m_terminated.insert(p.pid);
            return killstatus::Terminated;
        case ProcessTable::Termination::OpenFailed:
            return killstatus::OpenFailed;
        case ProcessTable::Termination::Failed:
            return killstatus::TerminateFailed;
        }
    }
    return killstatus::NotRunning;
}

int InstanceKiller::killAll(const std::string &name)
{
    int status = killstatus::Terminated;
    while (status == killstatus::Terminated)
        status = killOne(name);
    return status;
}

} // namespace chartlink
