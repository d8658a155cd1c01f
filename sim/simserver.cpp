#include "simserver.h"

#include "noise.h"
#include "querystring.h"
#include "simcontrol.h"

#include <algorithm>
#include <memory>

namespace {
constexpr auto HangTime = std::chrono::minutes(10);

bool namesSymbol(std::string_view symbols, std::string_view symbol)
{
    while (!symbols.empty()) {
        const std::size_t comma = symbols.find(',');
        if (symbols.substr(0, comma) == symbol)
            return true;
        symbols.remove_prefix(comma == std::string_view::npos ? symbols.size() : comma + 1);
    }
    return false;
}

std::string dataDirOf(const SimOptions &options)
{
    return options.dataDir.empty() ? defaultDataDir("vantrel-sim") : options.dataDir;
}
} // namespace

SimServer::SimServer(const SimOptions &options)
    : m_model(m_universe, options.seed, TradingCalendar(options.alwaysOpen)),
      m_clock(options.clock), m_policy(options.reply), m_seed(options.seed)
{
    const std::string listPath = dataDirOf(options) + "/companylist.csv";
    if (const auto rows = loadCompanyList(listPath)) {
        m_universe.addCompanies(*rows);
        m_lookup.addCompanies(*rows);
    } else
        m_warning = "cannot read " + listPath + ": only indices and fixed symbols are quoted";
    if (!m_futures.loadList(dataDirOf(options) + "/futures.csv"))
        m_warning = "cannot read the futures list: no stock has futures contracts";
    if (!options.accessLog.empty() && !m_protocol.openAccessLog(options.accessLog))
        m_warning = "cannot open the access log " + options.accessLog;

    m_protocol.setLineSender([this](const httplib::Request &request, httplib::Response &response,
                                    std::vector<std::string> lines, const char *contentType,
                                    std::string_view symbols) {
        reply(request, response, std::move(lines), contentType, symbols);
    });
    m_protocol.setDocumentSender([this](const httplib::Request &request,
                                        httplib::Response &response, std::string body,
                                        const char *contentType) {
        replyDocument(request, response, std::move(body), contentType);
    });
    httplib::Server &http = m_protocol.http();
    http.Get("/lookup",
             [this](const httplib::Request &q, httplib::Response &r) { handleLookup(q, r); });
    http.Get("/marketinfo/fo/fomwatchsymbol.jsp",
             [this](const httplib::Request &q, httplib::Response &r) {
                 const std::string key = QueryString(q.target).value("key").value_or("");
                 replyDocument(q, r, m_futures.contractPage(key, m_clock.now()), "text/html");
             });
    http.Get("/content/fo/fo_markettoday.htm",
             [this](const httplib::Request &q, httplib::Response &r) {
                 replyDocument(q, r, m_futures.statsPage(m_clock.now()), "text/html");
             });
    http.Get("/sim/control",
             [this](const httplib::Request &q, httplib::Response &r) { handleControl(q, r); });
}

SimServer::~SimServer()
{
    // Wakes the replies that wait on purpose before the server joins its workers.
    m_policy.stop();
}

bool SimServer::stop(std::chrono::milliseconds grace)
{
    m_policy.stop();
    return m_protocol.stop(grace);
}

void SimServer::handleLookup(const httplib::Request &request, httplib::Response &response)
{
    const QueryString query(request.target);
    replyDocument(request, response, m_lookup.page(query.value("s").value_or("")),
                  "text/html; charset=utf-8");
}

void SimServer::handleControl(const httplib::Request &request, httplib::Response &response)
{
    std::string error;
    if (applyControl(QueryString(request.target), m_policy, m_clock, error)) {
        response.set_content("OK\n", "text/plain");
    } else {
        response.status = 400;
        response.set_content(error + "\n", "text/plain");
    }
}

ReplyPolicy::Settings SimServer::policyFor(const httplib::Request &request,
                                           std::optional<std::string_view> symbols) const
{
    ReplyPolicy::Settings policy = m_policy.settings();
    if (!policy.faultSymbol.empty() && symbols && !namesSymbol(*symbols, policy.faultSymbol))
        policy.fault = FaultKind::None;
    if (!policy.faultPath.empty() && request.path.rfind(policy.faultPath, 0) != 0)
        policy.fault = FaultKind::None;
    return policy;
}

void SimServer::reply(const httplib::Request &request, httplib::Response &response,
                      std::vector<std::string> lines, const char *contentType,
                      std::string_view symbols)
{
    const ReplyPolicy::Settings policy = policyFor(request, symbols);
    if (playFault(policy, response, ProtocolServer::joinLines(lines), contentType, lines.size()))
        return;
    if (policy.fault == FaultKind::Short &&
        lines.size() > static_cast<std::size_t>(policy.shortLines))
        lines.resize(static_cast<std::size_t>(policy.shortLines));
    if (policy.fault == FaultKind::Price)
        for (std::string &line : lines)
            line = withPrice(line, policy.garbledPrice);
    response.set_content(ProtocolServer::joinLines(lines), contentType);
}

void SimServer::replyDocument(const httplib::Request &request, httplib::Response &response,
                              std::string body, const char *contentType)
{
    const ReplyPolicy::Settings policy = policyFor(request, std::nullopt);
    if (playFault(policy, response, body, contentType, 1))
        return;
    // A short document arrives whole as far as HTTP can tell, but cannot be read.
    if (policy.fault == FaultKind::Short)
        body.resize(body.size() / 2);
    response.set_content(std::move(body), contentType);
}

bool SimServer::playFault(const ReplyPolicy::Settings &policy, httplib::Response &response,
                          const std::string &body, const char *contentType, std::size_t lines)
{
    const std::uint64_t serial = m_replies.fetch_add(1);
    const bool awake =
        (policy.latencyMs == 0 || m_policy.waitFor(std::chrono::milliseconds(policy.latencyMs))) &&
        (policy.fault != FaultKind::Hang || m_policy.waitFor(HangTime));
    if (!awake) { // shutting down
        response.status = 503;
        return true;
    }
    switch (policy.fault) {
    case FaultKind::Http500:
        response.status = 500;
        response.set_content("Internal Server Error\n", "text/plain");
        return true;
    case FaultKind::Drop: {
        // Promise the whole reply and more, send half of it, then close.
        auto whole = std::make_shared<const std::string>(body);
        const std::size_t sent = whole->size() / 2;
        response.set_content_provider(
            whole->size() + 512, contentType,
            [whole, sent](std::size_t offset, std::size_t, httplib::DataSink &sink) {
                if (offset < sent)
                    sink.write(whole->data() + offset, sent - offset);
                return false;
            });
        return true;
    }
    case FaultKind::Trickle: {
        auto whole = std::make_shared<const std::string>(body);
        response.set_content_provider(
            whole->size(), contentType,
            [this, whole, gap = std::chrono::milliseconds(policy.trickleMs)](
                std::size_t offset, std::size_t, httplib::DataSink &sink) {
                // Stops when the client gives up (the write fails) or the service stops.
                return (offset == 0 || m_policy.waitFor(gap)) &&
                       sink.write(whole->data() + offset, 1);
            });
        return true;
    }
    case FaultKind::Garbage:
        response.set_content(
            garbageBody(std::max<std::size_t>(lines, 1), noise::combine(m_seed, serial)),
            "application/octet-stream");
        return true;
    case FaultKind::LongLine:
        response.set_content(longLineBody(), contentType);
        return true;
    case FaultKind::None:
    case FaultKind::Short:
    case FaultKind::Hang:
    case FaultKind::Price:
        break;
    }
    return false;
}
