#pragma once

#include <QProcess>
#include <QString>

// A folder made immutable for as long as this lives (chattr +i): nothing, not even root, can
// add a file to it. Empty path: nothing is done.
class ImmutableFolder
{
public:
    explicit ImmutableFolder(QString path) : m_path(std::move(path))
    {
        if (!m_path.isEmpty())
            m_held = chattr("+i");
    }
    ~ImmutableFolder()
    {
        if (m_held)
            chattr("-i");
    }
    bool held() const { return m_held; }
    const QString &errorText() const { return m_error; }

private:
    bool chattr(const QString &flag)
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start("chattr", {flag, m_path});
        const bool done =
            p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        m_error = p.errorString() + QLatin1Char(' ') + QString::fromLocal8Bit(p.readAll());
        return done;
    }
    QString m_path;
    bool m_held = false;
    QString m_error;
};
