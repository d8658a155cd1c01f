#include "platform/net/simulatorprocess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QTcpServer>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

SimulatorProcess::~SimulatorProcess()
{
    stop();
}

void SimulatorProcess::prepare(const QString &program, const QStringList &arguments)
{
    stop();
    m_error.clear();
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setProgram(program);
    m_process.setArguments(arguments);
#ifdef Q_OS_LINUX
    // The simulator must not outlive a program that is killed outright.
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
#endif
}

bool SimulatorProcess::takePortLine()
{
    bool ok = false;
    m_port = QString::fromLatin1(m_process.readLine()).trimmed().toInt(&ok);
    if (ok && m_port > 0)
        return true;
    m_error = QStringLiteral("the simulator reported no usable port");
    stop();
    return false;
}

QString SimulatorProcess::silentError()
{
    return QStringLiteral("%1 did not report its port: %2")
        .arg(QFileInfo(m_process.program()).fileName(),
             QString::fromLocal8Bit(m_process.readAllStandardError()).trimmed());
}

bool SimulatorProcess::start(const QString &program, const QStringList &arguments, int waitMs)
{
    prepare(program, arguments);
    m_process.start();
    if (!m_process.waitForStarted(waitMs)) {
        m_error = m_process.errorString();
        return false;
    }
    QDeadlineTimer deadline(waitMs);
    while (!m_process.canReadLine()) {
        if (deadline.hasExpired() || m_process.state() != QProcess::Running) {
            m_error = silentError();
            stop();
            return false;
        }
        m_process.waitForReadyRead(100);
    }
    return takePortLine();
}

void SimulatorProcess::startInBackground(const QString &program, const QStringList &arguments,
                                         std::function<void(bool)> onReady, int waitMs)
{
    prepare(program, arguments);
    m_ready = std::move(onReady);
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &m_deadline, [this] {
        if (m_process.canReadLine())
            if (const auto ready = claimWaiter())
                ready(takePortLine());
    });
    QObject::connect(&m_process, &QProcess::errorOccurred, &m_deadline,
                     [this](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         m_error = m_process.errorString();
                         if (const auto ready = claimWaiter())
                             ready(false);
                     });
    QObject::connect(&m_process, &QProcess::finished, &m_deadline, [this] {
        m_error = silentError();
        if (const auto ready = claimWaiter())
            ready(false);
    });
    m_deadline.setSingleShot(true);
    QObject::connect(&m_deadline, &QTimer::timeout, &m_deadline, [this] {
        m_error = silentError();
        const auto ready = claimWaiter();
        stop();
        if (ready)
            ready(false);
    });
    m_deadline.start(waitMs);
    m_process.start();
}

std::function<void(bool)> SimulatorProcess::claimWaiter()
{
    m_deadline.stop();
    m_deadline.disconnect();
    QObject::disconnect(&m_process, nullptr, &m_deadline, nullptr);
    return std::exchange(m_ready, nullptr);
}

int SimulatorProcess::freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

bool SimulatorProcess::stop(int graceMs)
{
    // Stopping is no answer to a start still waiting: nobody is told.
    m_ready = nullptr;
    if (m_process.state() == QProcess::NotRunning)
        return true;
    m_process.terminate();
    bool byItself = m_process.waitForFinished(graceMs);
    if (!byItself) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
    m_port = 0;
    return byItself && m_process.exitStatus() == QProcess::NormalExit;
}

QString SimulatorProcess::locate(const QString &name, const char *variable)
{
    const QString fromEnv = qEnvironmentVariable(variable);
    if (!fromEnv.isEmpty())
        return fromEnv;
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    return QFileInfo(beside).isExecutable() ? beside : QString();
}
