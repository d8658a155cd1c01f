#pragma once

#include "platform/net/simulatorprocess.h"

#include <QString>
#include <QStringList>

// Starts the built simulator for a test with a fixed seed and clock, so every figure is
// reproducible; extra arguments add faults or latency.
class TestSim : public SimulatorProcess
{
public:
    static constexpr const char *DefaultClock = "2026-12-04T11:00:00";

    bool startWith(const QStringList &extra = {}, int seed = 7);
    // After stop(): the same simulator again on the port it had, as a service that was down
    // comes back. Faults and latency set through simControl are not kept.
    bool restart();
    std::string url() const { return baseUrl().toStdString(); }

private:
    QStringList m_arguments;
    int m_lastPort = 0;
};

// Tells a running simulator to change behaviour between requests: a fault, the latency, or
// its clock (e.g. "fault=short&short-lines=2", "advance=300"). Returns true on "OK".
bool simControl(int port, const QString &query);

// The lines of the simulator's access log that asked for quotes.
QStringList quoteRequests(const QString &accessLog);
