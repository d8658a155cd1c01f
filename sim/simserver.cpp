#include "simserver.h"

#include "chartdata.h"
#include "growingpool.h"
#include "noise.h"
#include "querystring.h"
#include "quoteservice.h"
#include "simcontrol.h"

#include <sys/socket.h>

#include <algorithm>
#include <memory>

namespace {
constexpr auto HangTime = std::chrono::minutes(10);
// Often enough that no client's silence timeout fires, slow enough that a reply takes minutes.
constexpr auto TrickleGap = std::chrono::seconds(2);

std::string joinLines(const std::vector<std::string> &lines)
{
    std::string body;
    for (const std::string &line : lines) {
        body += line;
        body += "\r\n";
    }
    return body;
}

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

bool HttpServer::deepenListenQueue(int length)
{
    // Listening again on a listening socket only changes its queue length.
    return ::listen(svr_sock_, length) == 0;
}

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
    if (!options.accessLog.empty() && !m_log.open(options.accessLog))
        m_warning = "cannot open the access log " + options.accessLog;

    m_server.new_task_queue = [] { return new GrowingPool; };
    // One request per connection: no idle connection then keeps a worker waiting, and
    // stopping never waits for one.
    m_server.set_keep_alive_max_count(1);
    m_server.set_keep_alive_timeout(2);
    m_server.set_pre_routing_handler([this](const httplib::Request &request, httplib::Response &) {
        m_log.write(request.target);
        return httplib::Server::HandlerResponse::Unhandled;
    });
    m_server.Get("/d/quotes.csv",
                 [this](const httplib::Request &q, httplib::Response &r) { handleQuotes(q, r); });
    m_server.Get("/z",
                 [this](const httplib::Request &q, httplib::Response &r) { handleChart(q, r); });
    m_server.Get(
        R"(/instrument/1\.0/([^/]+)/chartdata;type=quote;range=(1d|5d)/csv/?)",
        [this](const httplib::Request &q, httplib::Response &r) { handleChartData(q, r); });
    m_server.Get("/lookup",
                 [this](const httplib::Request &q, httplib::Response &r) { handleLookup(q, r); });
    m_server.Get("/marketinfo/fo/fomwatchsymbol.jsp",
                 [this](const httplib::Request &q, httplib::Response &r) {
                     const std::string key = QueryString(q.target).value("key").value_or("");
                     replyDocument(r, m_futures.contractPage(key, m_clock.now()), "text/html");
                 });
    m_server.Get("/content/fo/fo_markettoday.htm",
                 [this](const httplib::Request &, httplib::Response &r) {
                     replyDocument(r, m_futures.statsPage(m_clock.now()), "text/html");
                 });
    m_server.Get("/sim/control",
                 [this](const httplib::Request &q, httplib::Response &r) { handleControl(q, r); });
}

SimServer::~SimServer()
{
    if (m_thread.joinable()) {
        stop(std::chrono::milliseconds(0));
        m_thread.join();
    }
}

bool SimServer::start(int port, std::string &error)
{
    const bool bound = port == 0 ? (m_port = m_server.bind_to_any_port("127.0.0.1")) > 0
                                 : m_server.bind_to_port("127.0.0.1", m_port = port);
    if (!bound) {
        error = "cannot listen on 127.0.0.1 port " + std::to_string(port);
        return false;
    }
    m_server.deepenListenQueue(256);
    m_thread = std::thread([this] {
        m_server.listen_after_bind();
        std::lock_guard lock(m_doneMutex);
        m_done = true;
        m_doneChanged.notify_all();
    });
    return true;
}

bool SimServer::stop(std::chrono::milliseconds grace)
{
    m_policy.stop();
    m_server.stop();
    std::unique_lock lock(m_doneMutex);
    return m_doneChanged.wait_for(lock, grace, [this] { return m_done; });
}

void SimServer::handleQuotes(const httplib::Request &request, httplib::Response &response)
{
    const QueryString query(request.target);
    const std::vector<std::string> lines = quoteLines(
        m_model, m_clock.now(), query.value("s").value_or(""), query.value("f").value_or(""));
    reply(response, lines, "text/csv", query.value("s").value_or(""));
}

void SimServer::handleChart(const httplib::Request &request, httplib::Response &response)
{
    if (!ChartRenderer::available()) {
        response.status = 503;
        response.set_content("charts need the simulator's graphics, which are not running\n",
                             "text/plain");
        return;
    }
    const ChartOptions options = ChartOptions::fromQuery(QueryString(request.target));
    replyDocument(response, m_charts.png(options, m_clock.now()), "image/png");
}

void SimServer::handleChartData(const httplib::Request &request, httplib::Response &response)
{
    // The symbol may come encoded ("%5ENSEI") or not, whichever way the path was decoded.
    const std::string symbol = QueryString::decode(request.matches[1].str());
    const Instrument *instrument = m_model.universe().find(symbol);
    if (!instrument) {
        response.status = 404;
        response.set_content("no such symbol: " + symbol + "\n", "text/plain");
        return;
    }
    reply(response, chartDataLines(m_model, *instrument, request.matches[2] == "5d", m_clock.now()),
          "text/csv", instrument->symbol);
}

void SimServer::handleLookup(const httplib::Request &request, httplib::Response &response)
{
    const QueryString query(request.target);
    replyDocument(response, m_lookup.page(query.value("s").value_or("")),
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

void SimServer::reply(httplib::Response &response, std::vector<std::string> lines,
                      const char *contentType, std::string_view symbols)
{
    ReplyPolicy::Settings policy = m_policy.settings();
    if (!policy.faultSymbol.empty() && !namesSymbol(symbols, policy.faultSymbol))
        policy.fault = FaultKind::None;
    if (playFault(policy, response, joinLines(lines), contentType, lines.size()))
        return;
    if (policy.fault == FaultKind::Short &&
        lines.size() > static_cast<std::size_t>(policy.shortLines))
        lines.resize(static_cast<std::size_t>(policy.shortLines));
    response.set_content(joinLines(lines), contentType);
}

void SimServer::replyDocument(httplib::Response &response, std::string body,
                              const char *contentType)
{
    const ReplyPolicy::Settings policy = m_policy.settings();
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
            [this, whole](std::size_t offset, std::size_t, httplib::DataSink &sink) {
                // Stops when the client gives up (the write fails) or the service stops.
                return (offset == 0 || m_policy.waitFor(TrickleGap)) &&
                       sink.write(whole->data() + offset, 1);
            });
        return true;
    }
    case FaultKind::Garbage:
        response.set_content(
            garbageBody(std::max<std::size_t>(lines, 1), noise::combine(m_seed, serial)),
            "application/octet-stream");
        return true;
    case FaultKind::None:
    case FaultKind::Short:
    case FaultKind::Hang:
        break;
    }
    return false;
}
