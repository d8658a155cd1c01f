#include "support/diskfaults.h"

#include <QDir>

#ifdef __linux__
#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>

namespace {
QString why(const char *call)
{
    return QString::fromLatin1(call) + ": " + QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

QString enterPrivateMounts()
{
    if (::unshare(CLONE_NEWNS) != 0)
        return why("unshare");
    return ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
               ? QString()
               : why("mount --make-rprivate /");
}

TmpfsFolder::TmpfsFolder(QString path, int sizeKb) : m_path(std::move(path))
{
    QDir().mkpath(m_path);
    m_mounted = ::mount("tmpfs", QFile::encodeName(m_path), "tmpfs", 0,
                        QByteArray("size=" + QByteArray::number(sizeKb) + "k")) == 0;
    if (!m_mounted)
        m_error = why("mount tmpfs");
}

TmpfsFolder::~TmpfsFolder()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_path), MNT_DETACH);
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
#endif
