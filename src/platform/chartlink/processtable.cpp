#include "platform/chartlink/processtable.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// The program file: the executable's link, which only its owner (or root) may read; the
// command line's first word is no proof of what runs, so it is not used.
std::string programPath(const QString &pid)
{
    QString target = QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid));
    target.remove(QStringLiteral(" (deleted)"));
    return target.isEmpty() ? std::string("Unknown") : target.toStdString();
}

// The real user the process runs as, from the "Uid:" line of its status.
long ownerOf(const QString &pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (!line.startsWith("Uid:"))
            continue;
        bool ok = false;
        const long uid = line.mid(4).simplified().split(' ').value(0).toLong(&ok);
        return ok ? uid : -1;
    }
    return -1;
}

} // namespace

bool ProcTable::list(std::vector<chartlink::ProcessEntry> &out)
{
    const QDir proc(QStringLiteral("/proc"));
    if (!proc.exists())
        return false;
    out.clear();
    for (const QString &entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        const long pid = entry.toLong(&numeric);
        if (numeric && pid > 0)
            out.push_back({pid, programPath(entry), ownerOf(entry)});
    }
    return !out.empty();
}

ProcTable::Termination ProcTable::terminate(long pid)
{
    // A handle on the process first, so the signal cannot reach a new process that has taken
    // over the number.
    const long handle = ::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0);
    if (handle < 0)
        return Termination::OpenFailed;
    const long sent =
        ::syscall(SYS_pidfd_send_signal, static_cast<int>(handle), SIGKILL, nullptr, 0);
    ::close(static_cast<int>(handle));
    return sent == 0 ? Termination::Done : Termination::Failed;
}

long ProcTable::user() const
{
    return static_cast<long>(::getuid());
}
