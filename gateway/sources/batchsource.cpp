#include "batchsource.h"

#include "replyreaders.h"

namespace {
constexpr std::size_t symbolsPerRequest = 50;
}

BatchSource::BatchSource(std::string baseUrl, std::string crumbPageUrl,
                         std::shared_ptr<HostGate> gate, std::chrono::milliseconds timeLimit)
    : m_baseUrl(std::move(baseUrl)), m_crumbPageUrl(std::move(crumbPageUrl)),
      m_http("batch", std::move(gate), maxReplyBytes, timeLimit)
{
}

std::optional<BatchSource::Session> BatchSource::session(std::string &reason, bool renew)
{
    std::lock_guard lock(m_sessionMutex);
    if (m_session && !renew)
        return m_session;
    m_session.reset();
    const HttpReply page = m_http.get(m_crumbPageUrl);
    if (!page.error.empty()) {
        reason = "cookie page: " + page.error;
        return std::nullopt;
    }
    Session s;
    for (const std::string &cookie : page.cookies)
        s.cookie += (s.cookie.empty() ? "" : "; ") + cookie;
    const HttpReply crumb = m_http.get(m_baseUrl + "/v1/test/getcrumb", {{"Cookie", s.cookie}});
    const std::optional<std::string> token =
        crumb.status == 200 ? readCrumb(crumb.body) : std::nullopt;
    if (!token) {
        reason = !crumb.error.empty()  ? "crumb: " + crumb.error
                 : crumb.status != 200 ? "crumb: HTTP " + std::to_string(crumb.status)
                                       : "crumb: not a crumb";
        return std::nullopt;
    }
    s.crumb = *token;
    m_session = s;
    return s;
}

SourceOutcome BatchSource::ask(const std::vector<std::string> &symbols,
                               std::map<std::string, LiveQuote> &answers)
{
    std::string list;
    for (const std::string &symbol : symbols)
        list += (list.empty() ? "" : ",") + symbol;
    std::string reason;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::optional<Session> s = session(reason, attempt > 0);
        if (!s)
            return {SourceOutcome::Refused, reason};
        const HttpReply http =
            m_http.get(m_baseUrl + "/v7/finance/quote?symbols=" + urlEncoded(list) +
                           "&crumb=" + urlEncoded(s->crumb),
                       {{"Cookie", s->cookie}});
        if (http.status == 401 && attempt == 0)
            continue; // the crumb went stale: one new one, then give up
        if (http.status == 401)
            break;
        if (!http.error.empty())
            return {SourceOutcome::Refused, http.error};
        if (http.status != 200)
            return {SourceOutcome::Refused, "HTTP " + std::to_string(http.status)};
        const ReadResult read = readBatchQuotes(http.body, answers);
        if (!read.ok)
            return {SourceOutcome::Refused, read.error};
        return {};
    }
    // A second crumb refused too: the API will not have us for now, and asking again every
    // refresh would only make that worse.
    m_http.gate().backOff(m_http.apiOf(m_baseUrl));
    return {SourceOutcome::Refused, "HTTP 401"};
}

SourceOutcome BatchSource::quotes(const std::vector<std::string> &symbols,
                                  std::vector<std::optional<LiveQuote>> &out)
{
    out.assign(symbols.size(), std::nullopt);
    const auto now = m_http.gate().now();
    std::vector<std::string> wanted;
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        // Indices and currencies are the chart API's: asking for them here wastes a request.
        if (symbols[i].starts_with('^') || symbols[i].find('=') != std::string::npos)
            continue;
        if (m_health.recentlyUnknown(symbols[i], now))
            continue;
        out[i] = m_quotes.find(symbols[i], now);
        if (!out[i])
            wanted.push_back(symbols[i]);
    }
    SourceOutcome outcome;
    for (std::size_t first = 0; first < wanted.size(); first += symbolsPerRequest) {
        const std::vector<std::string> group(
            wanted.begin() + first,
            wanted.begin() + std::min(wanted.size(), first + symbolsPerRequest));
        std::map<std::string, LiveQuote> answers;
        outcome = ask(group, answers);
        if (outcome.kind != SourceOutcome::Answered) {
            m_health.failed(outcome.reason);
            break;
        }
        m_health.succeeded(now);
        for (const std::string &symbol : group) {
            const auto it = answers.find(symbol);
            if (it == answers.end())
                m_health.unknown(symbol, now);
            else
                m_quotes.keep(symbol, it->second, now);
        }
        for (std::size_t i = 0; i < symbols.size(); ++i)
            if (const auto it = answers.find(symbols[i]); !out[i] && it != answers.end())
                out[i] = it->second;
    }
    for (const std::optional<LiveQuote> &q : out)
        if (q)
            return {};
    return outcome.kind == SourceOutcome::Refused
               ? outcome
               : SourceOutcome{SourceOutcome::Refused, "no symbol known"};
}

SourceStatus BatchSource::status() const
{
    auto until = m_http.blockedUntil(m_baseUrl);
    if (!until)
        until = m_http.blockedUntil(m_crumbPageUrl);
    return m_health.status(until);
}
