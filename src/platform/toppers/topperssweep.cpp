#include "platform/toppers/topperssweep.h"

#include "platform/net/internetsession.h"

#include <QNetworkAccessManager>

ToppersSweep::ToppersSweep(ToppersScan &scan, QObject *parent)
    : QObject(parent), m_scan(scan), m_timeoutMs(InternetSession::DefaultTimeoutMs),
      m_deadlineMs(InternetSession::DefaultDeadlineMs)
{
}

ToppersSweep::~ToppersSweep() = default;

void ToppersSweep::setTimeoutMs(int ms)
{
    m_timeoutMs = ms;
    for (InternetSession *session : m_sessions)
        session->setTimeoutMs(ms);
}

void ToppersSweep::setDeadlineMs(int ms)
{
    m_deadlineMs = ms;
    for (InternetSession *session : m_sessions)
        session->setDeadlineMs(ms);
}

bool ToppersSweep::start(const std::string &baseUrl, Exchange exchange,
                         const std::vector<CompanyRow> &listed, bool live)
{
    const std::vector<ToppersBatch> batches = m_scan.start(exchange, listed);
    const unsigned sweep = ++m_sweep;
    for (std::size_t k = 0; k < batches.size(); ++k) {
        const ToppersBatch batch = batches[k];
        session(k).fetch(
            m_scan.batchUrl(baseUrl, batch, live ? ClosesPath : QuotesPath),
            [this, sweep, batch](const FetchResult &result) {
                if (sweep != m_sweep)
                    return; // a reply of an abandoned sweep
                const std::vector<QuoteOrigin> origins = parseQuoteOrigins(
                    std::string_view(result.quoteOrigins.constData(), result.quoteOrigins.size()));
                m_scan.noteOrigins(origins);
                const bool last = result.ok ? m_scan.batchDone(batch, result.lines(), origins)
                                            : m_scan.batchFailed(batch, result.error.toStdString());
                if (last)
                    emit finished();
            });
    }
    return !batches.empty();
}

InternetSession &ToppersSweep::session(std::size_t k)
{
    // Sessions stay for the next sweep: a network manager's thread is costly to start and,
    // worse, ends only with a wait on this thread. A manager keeps up to six connections to
    // one host open at once, so every six sessions share one: all batches are still in flight
    // together, and a burst wakes four threads rather than two dozen that would push this
    // thread off the processor.
    while (m_sessions.size() <= k) {
        const std::size_t n = m_sessions.size();
        if (n % SessionsPerManager == 0)
            m_managers.push_back(new QNetworkAccessManager(this));
        auto *s = new InternetSession(QStringLiteral("session-%1").arg(n), m_managers.back(), this);
        s->setTimeoutMs(m_timeoutMs);
        s->setDeadlineMs(m_deadlineMs);
        s->setPlainTransfer(true);
        m_sessions.push_back(s);
    }
    return *m_sessions[k];
}
