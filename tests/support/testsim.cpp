#include "support/testsim.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

bool TestSim::startWith(const QStringList &extra, int seed)
{
    QStringList args{"--port",  "0",
                     "--seed",  QString::number(seed),
                     "--clock", QString::fromLatin1(DefaultClock)};
    args += extra;
    m_arguments = args;
    const bool ok = start(locate(), args);
    m_lastPort = port();
    return ok;
}

bool TestSim::restart()
{
    if (m_lastPort <= 0)
        return false;
    QStringList args = m_arguments;
    args[args.indexOf(QStringLiteral("--port")) + 1] = QString::number(m_lastPort);
    return start(locate(), args);
}

bool simControl(int port, const QString &query)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(
        QUrl(QStringLiteral("http://127.0.0.1:%1/sim/control?%2").arg(port).arg(query)));
    request.setTransferTimeout(5000);
    QNetworkReply *reply = manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    const bool ok = reply->error() == QNetworkReply::NoError && reply->readAll().trimmed() == "OK";
    reply->deleteLater();
    return ok;
}

QStringList quoteRequests(const QString &accessLog)
{
    QFile file(accessLog);
    QStringList out;
    if (!file.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (line.startsWith("/d/quotes.csv"))
            out << QString::fromUtf8(line);
    return out;
}
