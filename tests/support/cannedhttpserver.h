#pragma once

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A loopback HTTP server that answers every GET with the same body and remembers the last
// request, for checking what a client asks of an outside service.
class CannedHttpServer : public QTcpServer
{
    Q_OBJECT
public:
    explicit CannedHttpServer(QByteArray body, QObject *parent = nullptr)
        : QTcpServer(parent), m_body(std::move(body))
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    bool start() { return listen(QHostAddress::LocalHost, 0); }
    void setBody(QByteArray body) { m_body = std::move(body); }
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }

    QByteArray lastTarget;    // path and query of the last request
    QByteArray lastUserAgent; // its User-Agent header
    // A request whose target contains this waits for release() (or its client giving up).
    QByteArray holdTarget;
    bool holding() const { return !m_held.isNull(); }
    void release()
    {
        holdTarget.clear();
        if (QTcpSocket *socket = std::exchange(m_held, nullptr))
            reply(socket);
    }

private:
    void answer(QTcpSocket *socket)
    {
        if (!socket->peek(64 * 1024).contains("\r\n\r\n")) // the whole head; a GET has no body
            return;
        const QList<QByteArray> lines = socket->readAll().split('\n');
        lastTarget = lines.front().trimmed().split(' ').value(1);
        for (const QByteArray &line : lines)
            if (line.toLower().startsWith("user-agent:"))
                lastUserAgent = line.mid(11).trimmed();
        if (!holdTarget.isEmpty() && lastTarget.contains(holdTarget))
            m_held = socket;
        else
            reply(socket);
    }
    void reply(QTcpSocket *socket)
    {
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n"
                      "Content-Length: " +
                      QByteArray::number(m_body.size()) + "\r\n\r\n" + m_body);
        socket->disconnectFromHost();
    }
    QByteArray m_body;
    QPointer<QTcpSocket> m_held;
};
