#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <future>
#include <memory>

// One bar per data folder. The first start locks the folder and owns a name on the session
// bus made from it; a second start asks the first to come to the front and leaves. The lock,
// not the bus, keeps two bars from writing one folder: it holds on a machine without a bus,
// and a lock left by a process that died is taken over.
class InstanceGuard : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.vantrel.Vantrel1")
public:
    enum class Claim {
        Owned,     // this run has the folder
        Raised,    // another run has it and was asked to come forward
        Busy,      // another run has it and could not be reached
        Unwritable // the folder can't hold a lock
    };
    static constexpr const char *Path = "/org/vantrel/Vantrel";
    static constexpr const char *LockName = ".vantrel.lock";

    explicit InstanceGuard(QObject *parent = nullptr);
    ~InstanceGuard() override;

    // The bus name of the run that has this folder.
    static QString serviceNameFor(const QString &dataRoot);

    // The folder's lock as tried before claim(): Owned with the lock, else Busy (another run
    // holds it) or Unwritable.
    struct FolderLock
    {
        std::unique_ptr<QLockFile> lock;
        Claim claim = Claim::Unwritable;
    };
    // The lock is written through to the disk, which can take a while: a start begins it on
    // another thread before its application object exists and hands the result to claim().
    static std::future<FolderLock> lockAhead(const QString &dataRoot);

    // raiseOther false (--new-instance): never ask the other run to come forward.
    Claim claim(const QString &dataRoot, bool raiseOther = true,
                std::future<FolderLock> ahead = {});
    // Takes the folder's name on the session bus, so a later start can find this run; after
    // claim() said Owned.
    void publish();
    static QString busyText(const QString &dataRoot);

public slots:
    // Called over the bus by a second start.
    Q_SCRIPTABLE void Raise();

signals:
    void raiseRequested();

private:
    static FolderLock lockFolder(const QString &dataRoot);

    std::unique_ptr<QLockFile> m_lock;
    QString m_dataRoot;
    QString m_service;
};
