#include "platform/net/internetsession.h"

#include "core/net/replylines.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace {
// Up to the last line end: a line cut off mid-way is not a line.
QByteArray wholeLines(const QByteArray &partial)
{
    return partial.left(partial.lastIndexOf('\n') + 1);
}
} // namespace

std::vector<std::string> FetchResult::lines() const
{
    return replyLines(std::string_view(body.constData(), static_cast<std::size_t>(body.size())));
}

InternetSession::InternetSession(QString agent, QObject *parent)
    : QObject(parent), m_agent(std::move(agent)), m_manager(new QNetworkAccessManager(this))
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &InternetSession::missDeadline);
}

InternetSession::InternetSession(QString agent, QNetworkAccessManager *shared, QObject *parent)
    : QObject(parent), m_agent(std::move(agent)), m_manager(shared)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &InternetSession::missDeadline);
}

InternetSession::~InternetSession()
{
    abort();
}

void InternetSession::fetch(const std::string &encodedUrl,
                            std::function<void(const FetchResult &)> done)
{
    abort();
    m_done = std::move(done);
    QNetworkRequest request(
        QUrl::fromEncoded(QByteArray::fromStdString(encodedUrl), QUrl::TolerantMode));
    request.setHeader(QNetworkRequest::UserAgentHeader, m_agent);
    request.setTransferTimeout(m_timeoutMs);
    if (m_plainTransfer)
        request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = m_manager->get(request);
    m_reply = reply;
    connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 received, qint64) {
        if (received > MaxReplyBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finish(reply); });
    m_deadline.start(m_deadlineMs);
}

void InternetSession::abort()
{
    m_deadline.stop();
    if (QNetworkReply *reply = m_reply) {
        m_reply = nullptr;
        m_done = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void InternetSession::finish(QNetworkReply *reply)
{
    FetchResult result;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() == QNetworkReply::NoError && status < 400) {
        result.body = reply->readAll();
        result.ok = result.body.size() <= MaxReplyBytes;
        result.quoteOrigins = reply->rawHeader("X-Vantrel-Quote-Origins");
        if (!result.ok)
            result.error = QStringLiteral("reply too large");
    } else {
        result.error = reply->errorString();
        // A transfer cut off keeps the lines that arrived whole; an error page keeps nothing.
        if (status < 400)
            result.body = wholeLines(reply->readAll());
    }
    m_reply = nullptr;
    reply->deleteLater();
    complete(result);
}

void InternetSession::missDeadline()
{
    const QByteArray arrived = m_reply ? wholeLines(m_reply->readAll()) : QByteArray();
    auto done = std::move(m_done);
    abort();
    m_done = std::move(done);
    complete(FetchResult{false, arrived,
                         QStringLiteral("no whole reply within %1 ms").arg(m_deadlineMs)});
}

void InternetSession::complete(const FetchResult &result)
{
    m_deadline.stop();
    auto done = std::move(m_done);
    m_done = nullptr;
    if (done)
        done(result);
}

void fetchOnce(QObject *context, const QString &agent, const std::string &encodedUrl, int timeoutMs,
               std::function<void(const FetchResult &)> done)
{
    fetchOnce(context, agent, encodedUrl, timeoutMs, InternetSession::DefaultDeadlineMs,
              std::move(done));
}

void fetchOnce(QObject *context, const QString &agent, const std::string &encodedUrl, int timeoutMs,
               int deadlineMs, std::function<void(const FetchResult &)> done)
{
    auto *session = new InternetSession(agent, context);
    session->setTimeoutMs(timeoutMs);
    session->setDeadlineMs(deadlineMs);
    session->fetch(encodedUrl, [session, done = std::move(done)](const FetchResult &result) {
        session->deleteLater();
        done(result);
    });
}
