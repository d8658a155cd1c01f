#include "support/diskfaults.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#ifdef __linux__
#include <sched.h>
#include <sys/mount.h>

namespace {
QString why(const char *call)
{
    return QString::fromLatin1(call) + QStringLiteral(": ") +
           QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

QString enterPrivateMounts()
{
    if (::unshare(CLONE_NEWNS) != 0)
        return why("unshare");
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return why("mount --make-rprivate /");
    return {};
}

TmpfsFolder::TmpfsFolder(QString path, int sizeKb) : m_path(std::move(path))
{
    const QByteArray options = "size=" + QByteArray::number(sizeKb) + "k";
    QDir().mkpath(m_path);
    m_mounted = ::mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs", 0,
                        options.constData()) == 0;
    if (!m_mounted)
        m_error = why("mount tmpfs");
}

TmpfsFolder::~TmpfsFolder()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
}

bool TmpfsFolder::setReadOnly(bool readOnly)
{
    const unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
    if (::mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs", flags, nullptr) == 0)
        return true;
    m_error = why("remount");
    return false;
}

#else
// Elsewhere the tests take the program's file seam.
QString enterPrivateMounts()
{
    return QStringLiteral("mounts of a test's own need Linux");
}

TmpfsFolder::TmpfsFolder(QString path, int) : m_path(std::move(path)), m_error(enterPrivateMounts())
{
}

TmpfsFolder::~TmpfsFolder() = default;

bool TmpfsFolder::setReadOnly(bool)
{
    return false;
}
#endif

bool TmpfsFolder::fill()
{
    QFile ballast(m_path + QStringLiteral("/.ballast"));
    if (!ballast.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'x');
    while (ballast.write(block) == block.size()) {
    }
    // What is left is less than a page: the byte by byte rest makes it none at all.
    while (ballast.write("x", 1) == 1) {
    }
    return true;
}

bool TmpfsFolder::free()
{
    const QString ballast = m_path + QStringLiteral("/.ballast");
    return !QFile::exists(ballast) || QFile::remove(ballast);
}

StoreWorker::~StoreWorker()
{
    if (m_process.state() != QProcess::NotRunning)
        kill();
}

bool StoreWorker::start(const QStringList &arguments)
{
    m_lines.clear();
    m_pending.clear();
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(qEnvironmentVariable("VANTREL_STOREWORKER"), arguments);
    return m_process.waitForStarted(30000);
}

void StoreWorker::readLines()
{
    m_pending += m_process.readAllStandardOutput();
    qsizetype end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        m_lines << m_pending.left(end);
        m_pending.remove(0, end + 1);
    }
}

bool StoreWorker::waitFor(const QByteArray &prefix, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (qsizetype seen = 0;;) {
        readLines();
        for (; seen < m_lines.size(); ++seen)
            if (m_lines[seen].startsWith(prefix))
                return true;
        if (m_process.state() == QProcess::NotRunning || deadline.hasExpired())
            return false;
        m_process.waitForReadyRead(50);
    }
}

void StoreWorker::kill()
{
    m_process.kill();
    m_process.waitForFinished(30000);
    readLines();
}

bool StoreWorker::release()
{
    m_process.write("\n");
    m_process.closeWriteChannel();
    return m_process.waitForFinished(30000) && m_process.exitCode() == 0;
}

int StoreWorker::last(const QByteArray &what) const
{
    for (qsizetype k = m_lines.size() - 1; k >= 0; --k)
        if (m_lines[k].startsWith(what + ' '))
            return m_lines[k].mid(what.size() + 1).toInt();
    return 0;
}

QString StoreWorker::errorText() const
{
    return m_process.errorString() + QStringLiteral(" (") +
           QString::fromLatin1(m_lines.join(" / ")) + QLatin1Char(')');
}
