#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

// A vantrel-sim (or vantrel-gateway) child process on a free loopback port. Either prints
// the port it bound alone on its first line; start() waits for that line (a few seconds at
// most).
class SimulatorProcess
{
public:
    SimulatorProcess() = default;
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess &) = delete;
    SimulatorProcess &operator=(const SimulatorProcess &) = delete;

    bool start(const QString &program, const QStringList &arguments, int waitMs = 10000);
    // The same without waiting: returns at once, and ready(true) follows when the port line
    // has come, ready(false) with errorText() when none came. The caller's windows need not
    // wait for a service that takes a while to come up.
    void startInBackground(const QString &program, const QStringList &arguments,
                           std::function<void(bool)> ready, int waitMs = 10000);
    // Asks the simulator to stop and waits up to graceMs for it; one that has not stopped by
    // then is killed. True when it stopped by itself.
    bool stop(int graceMs = 3000);

    bool running() const { return m_process.state() == QProcess::Running; }
    int port() const { return m_port; }
    qint64 processId() const { return m_process.processId(); }
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }
    QString errorText() const { return m_error; }

    // A loopback port that is free now, to hand a service with "--port" so that its address
    // is known before it has started; 0 when none could be had.
    static int freePort();

    // The simulator beside the running program, or the one named by VANTREL_SIM.
    static QString locate() { return locate(QStringLiteral("vantrel-sim"), "VANTREL_SIM"); }
    // Any of the program's own services: the one the variable names, else the one beside.
    static QString locate(const QString &name, const char *variable);

private:
    void prepare(const QString &program, const QStringList &arguments);
    bool takePortLine();
    QString silentError();
    // The waiting start's callback, taken once; the waiting ends.
    std::function<void(bool)> claimWaiter();

    QProcess m_process;
    QTimer m_deadline;
    std::function<void(bool)> m_ready;
    int m_port = 0;
    QString m_error;
};
