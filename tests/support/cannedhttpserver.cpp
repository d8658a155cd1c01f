#include "support/cannedhttpserver.h"

#include <QTcpSocket>

CannedHttpServer::CannedHttpServer(QByteArray body, QObject *parent)
    : QTcpServer(parent), m_body(std::move(body))
{
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

void CannedHttpServer::answer(QTcpSocket *socket)
{
    // Waits for the whole head; a GET has no body.
    if (!socket->peek(64 * 1024).contains("\r\n\r\n"))
        return;
    const QList<QByteArray> lines = socket->readAll().split('\n');
    const QList<QByteArray> requestLine = lines.front().trimmed().split(' ');
    lastTarget = requestLine.value(1);
    for (const QByteArray &line : lines)
        if (line.toLower().startsWith("user-agent:"))
            lastUserAgent = line.mid(11).trimmed();
    ++requests;
    targets << lastTarget;
    if (!holdTarget.isEmpty() && lastTarget.contains(holdTarget)) {
        m_held = socket;
        return;
    }
    reply(socket);
}

void CannedHttpServer::release()
{
    holdTarget.clear();
    if (QTcpSocket *socket = m_held)
        reply(socket);
    m_held = nullptr;
}

void CannedHttpServer::reply(QTcpSocket *socket)
{
    socket->write(
        "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: " +
        QByteArray::number(m_body.size()) + "\r\n\r\n" + m_body);
    socket->disconnectFromHost();
}
