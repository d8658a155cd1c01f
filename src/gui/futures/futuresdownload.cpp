#include "gui/futures/futuresdownload.h"

#include "platform/net/internetsession.h"

FuturesDownload::FuturesDownload(FuturesBoard &board, QObject *parent)
    : QObject(parent), m_board(board), m_timeoutMs(InternetSession::DefaultTimeoutMs),
      m_deadlineMs(InternetSession::DefaultDeadlineMs)
{
}

FuturesDownload::~FuturesDownload() = default;

void FuturesDownload::start(const std::string &exchangeBase)
{
    if (running())
        return;
    m_fetch = std::make_unique<FuturesFetch>(m_board, exchangeBase);
    fetchNext();
}

void FuturesDownload::fetchNext()
{
    if (const auto page = m_fetch->next()) {
        fetchOnce(this, QString::fromLatin1(page->agent), page->url, m_timeoutMs, m_deadlineMs,
                  [this](const FetchResult &result) {
                      if (result.ok)
                          m_fetch->arrived(std::string_view(result.body.constData(),
                                                            std::size_t(result.body.size())));
                      else
                          m_fetch->arrived(std::nullopt);
                      fetchNext();
                  });
        return;
    }
    QStringList messages;
    for (const std::string &m : m_fetch->messages())
        messages << QString::fromStdString(m);
    m_fetch.reset();
    emit finished(messages);
}
