#pragma once

#include <QNetworkAccessManager>
#include <QObject>

// Moves a running simulator's clock forward through its control endpoint without waiting:
// advanced() tells when the simulator has taken the step.
class SimStepper : public QObject
{
    Q_OBJECT
public:
    explicit SimStepper(int port, QObject *parent = nullptr) : QObject(parent), m_port(port) {}

    void advance(int seconds);

signals:
    void advanced(bool ok);

private:
    QNetworkAccessManager m_manager;
    int m_port;
};
