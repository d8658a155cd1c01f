#pragma once

#include <QByteArray>
#include <QPointer>
#include <QTcpServer>

// A loopback HTTP server that answers every GET with the same body and remembers the last
// request, for checking what a client asks of an outside service.
class CannedHttpServer : public QTcpServer
{
    Q_OBJECT
public:
    explicit CannedHttpServer(QByteArray body, QObject *parent = nullptr);
    bool start() { return listen(QHostAddress::LocalHost, 0); }
    void setBody(QByteArray body) { m_body = std::move(body); }
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }

    QByteArray lastTarget;    // path and query of the last request
    QByteArray lastUserAgent; // its User-Agent header
    int requests = 0;
    QList<QByteArray> targets; // every request's target, in order
    // A request whose target contains this waits for release() (or its client giving up).
    QByteArray holdTarget;
    bool holding() const { return !m_held.isNull(); }
    void release();

private:
    void answer(QTcpSocket *socket);
    void reply(QTcpSocket *socket);
    QByteArray m_body;
    QPointer<QTcpSocket> m_held;
};
