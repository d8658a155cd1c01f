#pragma once

#include "platform/net/internetsession.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <string>

// What the live gateway says its prices are ("LIVE via chart", "END OF DAY 6/26/2023"), read
// from its status page at start and then every period, so the label follows the gateway when
// it falls back to the end-of-day files and back.
class GatewayLabel : public QObject
{
    Q_OBJECT
public:
    explicit GatewayLabel(const std::string &gatewayUrl, QObject *parent = nullptr);

    void start(int periodMs = 15000);
    QString label() const { return m_label; }

signals:
    void changed(const QString &label);

private:
    void poll();

    InternetSession m_session;
    QTimer m_timer;
    std::string m_statusUrl;
    QString m_label;
};
