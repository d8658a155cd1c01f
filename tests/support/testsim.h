#pragma once

#include "platform/net/simulatorprocess.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>

// Starts the built simulator for a test with a fixed seed and clock, so every figure is
// reproducible; extra arguments add faults or latency.
class TestSim : public SimulatorProcess
{
public:
    bool startWith(const QStringList &extra = {}, int seed = 7)
    {
        m_arguments = QStringList{"--port",  "0",
                                  "--seed",  QString::number(seed),
                                  "--clock", "2026-12-04T11:00:00"} +
                      extra;
        const bool ok = start(locate(), m_arguments);
        m_lastPort = port();
        return ok;
    }
    // After stop(): the same simulator again on the port it had, as a service that was down
    // comes back. Faults and latency set through simControl are not kept.
    bool restart()
    {
        if (m_lastPort <= 0)
            return false;
        m_arguments[1] = QString::number(m_lastPort); // after "--port"
        return start(locate(), m_arguments);
    }
    std::string url() const { return baseUrl().toStdString(); }

private:
    QStringList m_arguments;
    int m_lastPort = 0;
};

// Tells a running simulator to change behaviour between requests: a fault, the latency, or
// its clock (e.g. "fault=short&short-lines=2", "advance=300"). Returns true on "OK".
inline bool simControl(int port, const QString &query)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(
        QUrl(QStringLiteral("http://127.0.0.1:%1/sim/control?%2").arg(port).arg(query)));
    request.setTransferTimeout(5000);
    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    return reply->error() == QNetworkReply::NoError && reply->readAll().trimmed() == "OK";
}

// The lines of the simulator's access log, from byte from on, whose target starts with prefix.
inline QStringList loggedRequests(const QString &accessLog, const char *prefix = "/d/quotes.csv",
                                  qint64 from = 0)
{
    QFile file(accessLog);
    QStringList out;
    if (file.open(QIODevice::ReadOnly) && file.seek(from))
        for (const QByteArray &line : file.readAll().split('\n'))
            if (line.startsWith(prefix))
                out << QString::fromLatin1(line);
    return out;
}
