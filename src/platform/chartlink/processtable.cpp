#include "platform/chartlink/processtable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// The program's file name: the executable's link, else the first word of its command line.
std::string programName(const QString &pid)
{
    QString target = QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid));
    target.remove(QStringLiteral(" (deleted)"));
    if (!target.isEmpty())
        return QFileInfo(target).fileName().toStdString();
    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (cmdline.open(QIODevice::ReadOnly)) {
        const QByteArray first = cmdline.readAll().split('\0').value(0);
        if (!first.isEmpty())
            return QFileInfo(QString::fromLocal8Bit(first)).fileName().toStdString();
    }
    return "Unknown";
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
            out.push_back({pid, programName(entry)});
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
