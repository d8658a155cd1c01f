#include "simserver.h"

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

std::string joinLines(const std::vector<std::string> &lines)
{
    std::string body;
    for (const std::string &line : lines) {
        body += line;
        body += "\r\n";
    }
    return body;
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
    if (const auto rows = loadCompanyList(listPath))
        m_universe.addCompanies(*rows);
    else
        m_warning = "cannot read " + listPath + ": only indices and fixed symbols are quoted";
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
    reply(response, lines, "text/csv");
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
                      const char *contentType)
{
    const ReplyPolicy::Settings policy = m_policy.settings();
    const std::uint64_t serial = m_replies.fetch_add(1);
    const bool awake =
        (policy.latencyMs == 0 || m_policy.waitFor(std::chrono::milliseconds(policy.latencyMs))) &&
        (policy.fault != FaultKind::Hang || m_policy.waitFor(HangTime));
    if (!awake) { // shutting down
        response.status = 503;
        return;
    }
    switch (policy.fault) {
    case FaultKind::Http500:
        response.status = 500;
        response.set_content("Internal Server Error\n", "text/plain");
        return;
    case FaultKind::Drop: {
        // Promise the whole reply and more, send half of it, then close.
        auto body = std::make_shared<const std::string>(joinLines(lines));
        const std::size_t sent = body->size() / 2;
        response.set_content_provider(
            body->size() + 512, contentType,
            [body, sent](std::size_t offset, std::size_t, httplib::DataSink &sink) {
                if (offset < sent)
                    sink.write(body->data() + offset, sent - offset);
                return false;
            });
        return;
    }
    case FaultKind::Short:
        if (lines.size() > static_cast<std::size_t>(policy.shortLines))
            lines.resize(static_cast<std::size_t>(policy.shortLines));
        break;
    case FaultKind::Garbage:
        response.set_content(
            garbageBody(std::max<std::size_t>(lines.size(), 1), noise::combine(m_seed, serial)),
            "application/octet-stream");
        return;
    case FaultKind::None:
    case FaultKind::Hang:
        break;
    }
    response.set_content(joinLines(lines), contentType);
}
