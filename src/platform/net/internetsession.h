#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;

struct FetchResult
{
    bool ok = false;
    // A failed transfer keeps the whole lines that arrived before it failed (none after an
    // HTTP error status): callers that go on with what they have read so far use them.
    QByteArray body;
    QString error;
    // What the live gateway says of a good reply's quotes: where each came from, how fresh.
    QByteArray quoteOrigins = {};
    // The body as text lines, each stripped of blanks at both ends.
    std::vector<std::string> lines() const;
};

// One internet session: its own network manager and the caller's agent name on every request.
// Each fetch has two bounds: a transfer timeout for silence, and a deadline for the whole
// transfer, so that a server sending a byte now and then cannot hold a fetch for ever. Any
// network error, an HTTP error status, a missed deadline or a reply larger than the size
// limit counts as a failure.
class InternetSession : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultTimeoutMs = 10000;
    static constexpr int DefaultDeadlineMs = 60000;
    static constexpr qint64 MaxReplyBytes = 64 * 1024 * 1024;

    explicit InternetSession(QString agent, QObject *parent = nullptr);
    // A session whose requests go through a network manager it shares with others (and does
    // not own): each manager keeps a thread of its own, and a burst of sessions needs few.
    InternetSession(QString agent, QNetworkAccessManager *shared, QObject *parent);
    ~InternetSession() override;

    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    int timeoutMs() const { return m_timeoutMs; }
    void setDeadlineMs(int ms) { m_deadlineMs = ms; }
    int deadlineMs() const { return m_deadlineMs; }
    // Asks for replies as they are, not compressed: for bursts of many requests at once, where
    // compressing them all would cost the service more than the bytes it saves.
    void setPlainTransfer(bool on) { m_plainTransfer = on; }

    // Starts a GET of an already encoded URL; done runs on this thread when it ends, unless
    // the session is destroyed or aborted first.
    void fetch(const std::string &encodedUrl, std::function<void(const FetchResult &)> done);
    void abort();
    bool busy() const { return !m_reply.isNull(); }

private:
    void finish(QNetworkReply *reply);
    void missDeadline();
    void complete(const FetchResult &result);

    QString m_agent;
    int m_timeoutMs = DefaultTimeoutMs;
    int m_deadlineMs = DefaultDeadlineMs;
    bool m_plainTransfer = false;
    QTimer m_deadline;
    QNetworkAccessManager *m_manager;
    QPointer<QNetworkReply> m_reply;
    std::function<void(const FetchResult &)> m_done;
};

// Fetches once in a session of its own that goes away when the fetch ends; done is not
// called when context is destroyed first. The session's default deadline applies.
void fetchOnce(QObject *context, const QString &agent, const std::string &encodedUrl, int timeoutMs,
               std::function<void(const FetchResult &)> done);
// The same with a deadline of the caller's for the whole transfer.
void fetchOnce(QObject *context, const QString &agent, const std::string &encodedUrl, int timeoutMs,
               int deadlineMs, std::function<void(const FetchResult &)> done);
