#include "platform/shell/refreshcycle.h"

#include "core/common/messenger.h"
#include "platform/net/internetsession.h"

#include <QNetworkAccessManager>

#include <utility>

RefreshCycle::RefreshCycle(QuoteGroupRegistry &registry, Messenger &messenger, QObject *parent)
    : QObject(parent), m_registry(registry), m_messenger(messenger),
      m_manager(new QNetworkAccessManager(this)), m_timeoutMs(InternetSession::DefaultTimeoutMs)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(PeriodMs);
    connect(&m_timer, &QTimer::timeout, this, &RefreshCycle::start);
}

RefreshCycle::~RefreshCycle() = default;

void RefreshCycle::setTimeoutMs(int ms)
{
    m_timeoutMs = ms;
}

void RefreshCycle::startTimer()
{
    m_timer.start();
    QTimer::singleShot(0, this, &RefreshCycle::start);
}

void RefreshCycle::serviceReady()
{
    m_serviceStarting = false;
    if (std::exchange(m_tickWaiting, false))
        start();
}

void RefreshCycle::start()
{
    if (m_serviceStarting) {
        m_tickWaiting = true;
        return;
    }
    if (m_inProgress)
        return;
    m_plan = m_registry.plan(m_baseUrl);
    m_inProgress = true;
    emit requestStarted(QString::fromStdString(m_plan.url));
    // Each fetch opens a session of its own and closes it when the reply is in.
    m_session =
        std::make_unique<InternetSession>(QString::fromLatin1(AgentName), m_manager, nullptr);
    m_session->setTimeoutMs(m_timeoutMs);
    m_session->setDeadlineMs(m_deadlineMs);
    m_session->fetch(m_plan.url, [this](const FetchResult &result) {
        m_session.release()->deleteLater();
        handleResult(result.ok, result.lines(),
                     parseQuoteOrigins(std::string_view(result.quoteOrigins.constData(),
                                                        result.quoteOrigins.size())));
    });
}

void RefreshCycle::handleResult(bool ok, const std::vector<std::string> &lines,
                                const std::vector<QuoteOrigin> &origins)
{
    m_inProgress = false;
    m_connected = ok;
    emit resultArrived(ok);
    if (!ok)
        return;
    if (distributeReply(m_plan, lines, m_registry, origins)) {
        emit replyApplied();
        return;
    }
    emit replyShort();
    // One warning at a time: a user away from the desk finds one box, not a stack of them.
    if (!m_warningOpen) {
        m_warningOpen = true;
        m_messenger.inform(ShortReplyWarning);
        m_warningOpen = false;
    }
}
