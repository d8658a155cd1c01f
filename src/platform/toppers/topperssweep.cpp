#include "platform/toppers/topperssweep.h"

#include "platform/net/internetsession.h"

ToppersSweep::ToppersSweep(ToppersScan &scan, QObject *parent)
    : QObject(parent), m_scan(scan), m_timeoutMs(InternetSession::DefaultTimeoutMs)
{
}

bool ToppersSweep::start(const std::string &baseUrl, Exchange exchange,
                         const std::vector<CompanyRow> &listed)
{
    const std::vector<ToppersBatch> batches = m_scan.start(exchange, listed);
    const unsigned sweep = ++m_sweep;
    int agent = 0;
    for (const ToppersBatch &batch : batches) {
        fetchOnce(this, QStringLiteral("session-%1").arg(agent++), m_scan.batchUrl(baseUrl, batch),
                  m_timeoutMs, [this, sweep, batch](const FetchResult &result) {
                      if (sweep != m_sweep)
                          return; // a reply of an abandoned sweep
                      if (m_scan.batchDone(batch,
                                           result.ok ? result.lines() : std::vector<std::string>{}))
                          emit finished();
                  });
    }
    return !batches.empty();
}
