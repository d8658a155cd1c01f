#include "platform/shell/instanceguard.h"

#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QThread>

InstanceGuard::InstanceGuard(QObject *parent) : QObject(parent) {}

InstanceGuard::~InstanceGuard()
{
    if (!m_service.isEmpty()) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(QString::fromLatin1(Path));
        bus.unregisterService(m_service);
    }
}

QString InstanceGuard::serviceNameFor(const QString &dataRoot)
{
    const QString canonical = QFileInfo(dataRoot).absoluteFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    // A bus name element may not start with a digit.
    return QStringLiteral("org.vantrel.Vantrel.f") + QString::fromLatin1(hash);
}

QString InstanceGuard::busyText(const QString &dataRoot)
{
    return QStringLiteral("Vantrel is already running with the data folder %1.\n"
                          "Two Vantrel bars never write one data folder; start another with "
                          "--data-dir.")
        .arg(QDir::toNativeSeparators(dataRoot));
}

InstanceGuard::FolderLock InstanceGuard::lockFolder(const QString &dataRoot)
{
    if (!QDir().mkpath(dataRoot))
        return {};
    auto lock = std::make_unique<QLockFile>(QDir(dataRoot).filePath(QString::fromLatin1(LockName)));
    // A holder that died is noticed by its process id at once; the stale time only covers a
    // holder on another host.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        return {std::move(lock), Claim::Owned};
    return {nullptr, lock->error() == QLockFile::LockFailedError ? Claim::Busy : Claim::Unwritable};
}

std::future<InstanceGuard::FolderLock> InstanceGuard::lockAhead(const QString &dataRoot)
{
    return std::async(std::launch::async, &InstanceGuard::lockFolder, dataRoot);
}

InstanceGuard::Claim InstanceGuard::claim(const QString &dataRoot, bool raiseOther,
                                          std::future<FolderLock> ahead)
{
    FolderLock folder = ahead.valid() ? ahead.get() : lockFolder(dataRoot);
    if (folder.claim == Claim::Unwritable)
        return Claim::Unwritable;
    if (!folder.lock) {
        if (!raiseOther)
            return Claim::Busy;
        // The first run takes its bus name just after its bar shows: one that is starting
        // is given a moment.
        QDBusMessage call = QDBusMessage::createMethodCall(
            serviceNameFor(dataRoot), QString::fromLatin1(Path),
            QStringLiteral("org.vantrel.Vantrel1"), QStringLiteral("Raise"));
        for (int attempt = 0; attempt < 10; ++attempt) {
            const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 3000);
            if (reply.type() == QDBusMessage::ReplyMessage)
                return Claim::Raised;
            if (reply.errorName() != QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown"))
                break;
            QThread::msleep(200);
        }
        return Claim::Busy;
    }
    m_lock = std::move(folder.lock);
    m_dataRoot = dataRoot;
    return Claim::Owned;
}

void InstanceGuard::publish()
{
    if (!m_lock || !m_service.isEmpty())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString service = serviceNameFor(m_dataRoot);
    if (bus.isConnected() &&
        bus.registerObject(QString::fromLatin1(Path), this,
                           QDBusConnection::ExportScriptableSlots) &&
        bus.registerService(service))
        m_service = service;
}

void InstanceGuard::Raise()
{
    emit raiseRequested();
}

// Its own moc output, not the library's shared one: the start links this class alone.
#include "moc_instanceguard.cpp"
