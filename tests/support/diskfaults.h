#pragma once

#include "core/store/storerows.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>

// What the disk fault tests stand on: mounts of the test's own, a small file system to fill,
// and a second program on the company database.

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
    // Fills what is left with a ballast file, so the next write that needs room fails; free()
    // gives the room back.
    bool fill()
    {
        QFile ballast(m_path + QStringLiteral("/.ballast"));
        if (!ballast.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            return false;
        // Pages while they fit, then what is left of less than one byte by byte.
        for (const int size : {4096, 1})
            while (ballast.write(QByteArray(size, 'x')) == size) {
            }
        return true;
    }
    bool free() { return QFile::remove(m_path + QStringLiteral("/.ballast")); }

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
    ~StoreWorker() { kill(); }
    bool start(const QStringList &arguments)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(qEnvironmentVariable("VANTREL_STOREWORKER"), arguments);
        return m_process.waitForStarted(30000);
    }
    // Waits until the worker has said a line starting with prefix; false when it ended first.
    bool waitFor(const QByteArray &prefix, int timeoutMs = 30000)
    {
        const QDeadlineTimer deadline(timeoutMs);
        for (qsizetype seen = 0;; m_process.waitForReadyRead(50)) {
            for (readLines(); seen < m_lines.size(); ++seen)
                if (m_lines[seen].startsWith(prefix))
                    return true;
            if (m_process.state() == QProcess::NotRunning || deadline.hasExpired())
                return false;
        }
    }
    // SIGKILL, then every line it said before.
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(30000);
        readLines();
    }
    // Ends a "hold": the lock goes.
    bool release()
    {
        m_process.write("\n");
        m_process.closeWriteChannel();
        return m_process.waitForFinished(30000) && m_process.exitCode() == 0;
    }
    // The number the last line starting with what carried, 0 when none.
    int last(const QByteArray &what) const
    {
        for (auto line = m_lines.crbegin(); line != m_lines.crend(); ++line)
            if (line->startsWith(what + ' '))
                return line->mid(what.size() + 1).toInt();
        return 0;
    }
    QString errorText() const
    {
        return m_process.errorString() + " (" + QString::fromLatin1(m_lines.join(" / ")) + ')';
    }

private:
    void readLines()
    {
        m_pending += m_process.readAllStandardOutput();
        for (qsizetype end; (end = m_pending.indexOf('\n')) >= 0; m_pending.remove(0, end + 1))
            m_lines << m_pending.left(end);
    }
    QProcess m_process;
    QByteArray m_pending;
    QList<QByteArray> m_lines;
};

// What the store worker saves in round n of its run: every round differs from the one before
// in every row and in the number of rows, so a table caught halfway through a save would show.
namespace savedstate {
inline std::string tag(int run, int n)
{
    return std::to_string(run) + "-" + std::to_string(n);
}

inline std::vector<WatchRow> watchList(int run, int n)
{
    std::vector<WatchRow> rows;
    for (int k = 0; k < 30 + n % 21; ++k) {
        const std::string t = tag(run, n) + "-" + std::to_string(k);
        rows.push_back(
            {"Company's " + t, k % 2 ? "BSE" : "NSE", "S" + t, k % 2, n + k * 0.5, n + k + 100.25});
    }
    return rows;
}

// Lots of another stock, stored before the rounds: every rewrite of the table must keep them.
inline std::vector<ProfileLot> keptLots()
{
    return {{"Kept One", "NSE", "KEPT", 0, 101.5, 10, 1},
            {"Kept One", "NSE", "KEPT", 1, 99.25, 5, 1}};
}

inline constexpr const char *HeldSymbol = "HELD";

// The held stock's delivery lots as round n leaves them.
inline std::vector<ProfileLot> heldLots(int run, int n)
{
    std::vector<ProfileLot> lots;
    for (int k = 0; k < 10 + n % 25; ++k)
        lots.push_back(
            {"Held " + tag(run, n), "BSE", HeldSymbol, 0, run * 1000 + n + k * 0.25, k + 1, 2});
    return lots;
}

// The company that round n adds to the reference list.
inline CompanyRow company(int run, int n)
{
    return {"Worker Company " + tag(run, n), "W" + tag(run, n), ""};
}
} // namespace savedstate
