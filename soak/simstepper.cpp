#include "simstepper.h"

#include <QNetworkReply>

void SimStepper::advance(int seconds)
{
    QNetworkRequest request(QUrl(
        QStringLiteral("http://127.0.0.1:%1/sim/control?advance=%2").arg(m_port).arg(seconds)));
    request.setTransferTimeout(5000);
    QNetworkReply *reply = m_manager.get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        emit advanced(reply->error() == QNetworkReply::NoError &&
                      reply->readAll().trimmed() == "OK");
    });
}
