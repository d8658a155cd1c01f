#include "platform/net/gatewaylabel.h"

#include <QJsonDocument>
#include <QJsonObject>

GatewayLabel::GatewayLabel(const std::string &gatewayUrl, QObject *parent)
    : QObject(parent), m_session(QStringLiteral("Vantrel")),
      m_statusUrl(gatewayUrl + "/gateway/status")
{
    connect(&m_timer, &QTimer::timeout, this, &GatewayLabel::poll);
}

void GatewayLabel::start(int periodMs)
{
    m_timer.start(periodMs);
    poll();
}

void GatewayLabel::poll()
{
    if (m_session.busy())
        return;
    m_session.fetch(m_statusUrl, [this](const FetchResult &result) {
        if (!result.ok)
            return; // the bar's dot already says the service is down
        const QString label =
            QJsonDocument::fromJson(result.body).object().value(QLatin1String("label")).toString();
        if (label.isEmpty() || label == m_label)
            return;
        m_label = label;
        emit changed(m_label);
    });
}
