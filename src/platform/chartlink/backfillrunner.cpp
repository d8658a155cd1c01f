#include "platform/chartlink/backfillrunner.h"

#include "core/common/messenger.h"
#include "platform/chartlink/chartfeed.h"
#include "platform/net/internetsession.h"

#include <utility>

using namespace chartlink;

BackfillRunner::BackfillRunner(const QString &service, std::string chartDataUrl,
                               Messenger &messenger, StockSource stocks, QObject *parent)
    : QObject(parent), m_bridge(service), m_chartDataUrl(std::move(chartDataUrl)),
      m_messenger(messenger), m_stocks(std::move(stocks))
{
}

BackfillRunner::~BackfillRunner() = default;

void BackfillRunner::setTimeoutMs(int ms)
{
    m_timeoutMs = ms;
    m_bridge.setTimeoutMs(ms);
}

void BackfillRunner::start(BackfillKind kind)
{
    if (m_run.running())
        return;
    m_run.start(kind, (m_stocks ? m_stocks().size() : 0) + 2);
    m_toldUnreachable = false;
    if (m_session)
        m_session->deleteLater();
    m_session = new InternetSession(QStringLiteral("Backfill Session"), this);
    if (m_timeoutMs > 0)
        m_session->setTimeoutMs(m_timeoutMs);
    if (m_deadlineMs > 0)
        m_session->setDeadlineMs(m_deadlineMs);
    step();
}

void BackfillRunner::stop()
{
    if (!m_run.running())
        return;
    emit labelChanged(QString::fromLatin1(Stopping));
    m_run.stop();
    if (m_session && m_session->busy()) {
        m_session->abort();
        end(false);
    }
    // Otherwise a Bridge call is under way; its answer ends the run.
}

void BackfillRunner::step()
{
    const std::vector<WatchedStock> stocks = m_stocks ? m_stocks() : std::vector<WatchedStock>{};
    for (; !m_run.done(); m_run.advance()) {
        emit progressChanged(m_run.progress());
        if (const auto target = backfillTarget(m_run.position(), stocks)) {
            download(*target);
            return;
        }
    }
    end(true);
}

void BackfillRunner::download(const BackfillTarget &target)
{
    emit labelChanged(QString::fromStdString(target.name));
    const BackfillKind kind = m_run.kind();
    // A failed download hands over whatever arrived; the charting program gets the rest later.
    m_session->fetch(m_chartDataUrl + chartDataPath(target.chartSymbol, kind),
                     [this, name = target.name, kind](const FetchResult &result) {
                         handOver(name, backfillData(result.lines(), kind));
                     });
}

void BackfillRunner::handOver(const std::string &name, const std::string &data)
{
    m_run.advance();
    if (m_bridge.ready()) {
        call(name, data);
        return;
    }
    const auto failed = [this] {
        // Every stock after the first would say the same: one box per click.
        if (!std::exchange(m_toldUnreachable, true))
            m_messenger.inform(ChartFeed::BridgeUnavailable);
        if (m_run.running())
            step();
        else
            end(false);
    };
    if (!m_bridge.create()) {
        failed();
        return;
    }
    m_bridge.connectBridge([this, name, data, failed](bool ok) {
        m_bridge.setReady(ok);
        if (ok)
            call(name, data);
        else
            failed();
    });
}

void BackfillRunner::call(const std::string &name, const std::string &data)
{
    m_bridge.backfillStock(name, data, [this](bool ok) {
        // A failed call is not reported, but the next stock connects again first.
        if (!ok)
            m_bridge.setReady(false);
        if (m_run.running())
            step();
        else
            end(false);
    });
}

void BackfillRunner::end(bool finished)
{
    m_run.finish();
    if (finished) {
        // The run may end inside the session's own callback.
        m_session->deleteLater();
        emit labelChanged(QString::fromLatin1(Done));
    } else {
        emit labelChanged(QString::fromLatin1(Stopped));
    }
    emit ended(finished);
}
