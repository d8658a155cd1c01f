#include "platform/net/simulatorprocess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

SimulatorProcess::~SimulatorProcess()
{
    stop();
}

bool SimulatorProcess::start(const QString &program, const QStringList &arguments, int waitMs)
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
    m_process.start();
    if (!m_process.waitForStarted(waitMs)) {
        m_error = m_process.errorString();
        return false;
    }
    QDeadlineTimer deadline(waitMs);
    while (!m_process.canReadLine()) {
        if (deadline.hasExpired() || m_process.state() != QProcess::Running) {
            m_error = QStringLiteral("%1 did not report its port: %2")
                          .arg(QFileInfo(program).fileName(),
                               QString::fromLocal8Bit(m_process.readAllStandardError()).trimmed());
            stop();
            return false;
        }
        m_process.waitForReadyRead(100);
    }
    bool ok = false;
    m_port = QString::fromLatin1(m_process.readLine()).trimmed().toInt(&ok);
    if (!ok || m_port <= 0) {
        m_error = QStringLiteral("the simulator reported no usable port");
        stop();
        return false;
    }
    return true;
}

bool SimulatorProcess::stop(int graceMs)
{
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
