#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

// What the disk fault tests stand on: mounts of the test's own, a small file system to make
// read-only or full, and a second program on the company database.

// Takes the process into a mount namespace of its own, so that its mounts vanish with it
// and nobody else sees them. Call before any thread starts. Empty when that worked, else why
// not (mounting needs root or a user namespace).
QString enterPrivateMounts();

// A small tmpfs mounted on a folder for as long as this lives.
class TmpfsFolder
{
public:
    TmpfsFolder(QString path, int sizeKb);
    ~TmpfsFolder();
    TmpfsFolder(const TmpfsFolder &) = delete;
    TmpfsFolder &operator=(const TmpfsFolder &) = delete;

    bool mounted() const { return m_mounted; }
    const QString &errorText() const { return m_error; }
    bool setReadOnly(bool readOnly);
    // Fills what is left with a ballast file, so the next write that needs room fails; free()
    // gives the room back (and is true when there was none to give).
    bool fill();
    bool free();

private:
    QString m_path;
    bool m_mounted = false;
    QString m_error;
};

// vantrel-storeworker (its path in VANTREL_STOREWORKER) run by a test, its lines read as they
// come.
class StoreWorker
{
public:
    ~StoreWorker();
    bool start(const QStringList &arguments);
    // Waits until the worker has said a line starting with prefix; false when it ended first.
    bool waitFor(const QByteArray &prefix, int timeoutMs = 30000);
    // SIGKILL, then every line it said before.
    void kill();
    // Ends a "hold": the lock goes.
    bool release();
    const QList<QByteArray> &lines() const { return m_lines; }
    // The number the last line starting with what carried, 0 when none.
    int last(const QByteArray &what) const;
    QString errorText() const;

private:
    void readLines();
    QProcess m_process;
    QByteArray m_pending;
    QList<QByteArray> m_lines;
};
