#pragma once

#include "core/toppers/toppersscan.h"

#include <QObject>

class QNetworkAccessManager;

#include <vector>

class InternetSession;

// Sends every batch of a sweep at once, each in an internet session of its own named
// "session-N" (kept for the next sweep), and hands each reply to the scan as it arrives, on this
// thread: nothing waits, so the window stays live. finished() comes once, when the last batch is
// in, whether the batches were answered, failed or timed out.
class ToppersSweep : public QObject
{
    Q_OBJECT
public:
    explicit ToppersSweep(ToppersScan &scan, QObject *parent = nullptr);
    ~ToppersSweep() override;

    // The transfer timeout of each batch's request, and its deadline for the whole reply.
    void setTimeoutMs(int ms);
    void setDeadlineMs(int ms);

    // False, and nothing sent, when the exchange has no companies. From the live gateway a
    // sweep asks for closes only, so it spends none of the bar's requests.
    bool start(const std::string &baseUrl, Exchange exchange, const std::vector<CompanyRow> &listed,
               bool live = false);
    bool running() const { return m_scan.running(); }

signals:
    void finished();

private:
    InternetSession &session(std::size_t k);

    ToppersScan &m_scan;
    static constexpr std::size_t SessionsPerManager = 6;
    std::vector<QNetworkAccessManager *> m_managers;
    std::vector<InternetSession *> m_sessions; // the k-th carries batch k of every sweep
    int m_timeoutMs;
    int m_deadlineMs;
    unsigned m_sweep = 0;
};
