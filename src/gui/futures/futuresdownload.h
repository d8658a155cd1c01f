#pragma once

#include "core/futures/futuresfetch.h"

#include <QObject>
#include <QStringList>

#include <memory>

class FuturesBoard;

// Runs one "Get Latest Data" without holding up the window: the pages are fetched one after
// another, each in a session of its own with the transfer timeout every fetch has.
class FuturesDownload : public QObject
{
    Q_OBJECT
public:
    FuturesDownload(FuturesBoard &board, QObject *parent);
    ~FuturesDownload() override;

    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    void setDeadlineMs(int ms) { m_deadlineMs = ms; }
    void start(const std::string &exchangeBase);
    bool running() const { return m_fetch != nullptr; }

signals:
    // The last page is in; what the user is to be told.
    void finished(const QStringList &messages);

private:
    void fetchNext();

    FuturesBoard &m_board;
    std::unique_ptr<FuturesFetch> m_fetch;
    int m_timeoutMs;
    int m_deadlineMs;
};
