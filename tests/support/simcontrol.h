#pragma once

#include <QString>
#include <QStringList>

// Tells a running simulator to change behaviour between requests: a fault, the latency, or
// its clock (e.g. "fault=short&short-lines=2", "advance=300"). Returns true on "OK".
bool simControl(int port, const QString &query);

// The lines of the simulator's access log that asked for quotes.
QStringList quoteRequests(const QString &accessLog);
