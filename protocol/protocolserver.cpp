#include "protocolserver.h"

#include "chartdata.h"
#include "growingpool.h"
#include "querystring.h"
#include "quoteservice.h"

#include <sys/socket.h>

#include <algorithm>

namespace {
// No route reads a body; a few kilobytes is more than any client of ours sends.
constexpr std::size_t MaxBodyBytes = 64 * 1024;

// A body's length that two parties could read differently: several values that disagree,
// anything but plain digits (a sign, a blank, a list), a number past the limit, or a length
// beside a chunked body. The library would take the first value, and read a negative one as
// a huge one.
bool bodyLengthAmbiguous(const httplib::Request &request)
{
    const auto [first, last] = request.headers.equal_range("Content-Length");
    if (first == last)
        return false;
    if (request.has_header("Transfer-Encoding"))
        return true;
    for (auto it = first; it != last; ++it) {
        const std::string &value = it->second;
        if (value != first->second || value.empty() || value.size() > 9 ||
            !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return true;
    }
    return std::stoul(first->second) > MaxBodyBytes;
}
} // namespace

bool HttpServer::deepenListenQueue(int length)
{
    // Listening again on a listening socket only changes its queue length.
    return ::listen(svr_sock_, length) == 0;
}

ProtocolServer::ProtocolServer(Market &market) : m_market(market)
{
    m_send = [](const httplib::Request &, httplib::Response &response,
                std::vector<std::string> lines, const char *contentType,
                std::string_view) { response.set_content(joinLines(lines), contentType); };
    m_sendDocument = [](const httplib::Request &, httplib::Response &response, std::string body,
                        const char *contentType) {
        response.set_content(std::move(body), contentType);
    };
    m_server.new_task_queue = [] { return new GrowingPool; };
    // One request per connection: no idle connection then keeps a worker waiting, and
    // stopping never waits for one.
    m_server.set_keep_alive_max_count(1);
    m_server.set_keep_alive_timeout(2);
    m_server.set_payload_max_length(MaxBodyBytes);
    m_server.set_pre_routing_handler([this](const httplib::Request &request,
                                            httplib::Response &response) {
        m_log.write(request.target);
        if (bodyLengthAmbiguous(request)) {
            response.status = 400;
            response.set_content("Content-Length: one plain number up to 65536\n", "text/plain");
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    m_server.Get("/d/quotes.csv",
                 [this](const httplib::Request &q, httplib::Response &r) { handleQuotes(q, r); });
    m_server.Get("/z",
                 [this](const httplib::Request &q, httplib::Response &r) { handleChart(q, r); });
    m_server.Get(
        R"(/instrument/1\.0/([^/]+)/chartdata;type=quote;range=(1d|5d)/csv/?)",
        [this](const httplib::Request &q, httplib::Response &r) { handleChartData(q, r); });
}

ProtocolServer::~ProtocolServer()
{
    if (m_thread.joinable()) {
        stop(std::chrono::milliseconds(0));
        m_thread.join();
    }
}

bool ProtocolServer::start(int port, std::string &error)
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
    // A stop that comes before the server runs would be lost, and the server would then run
    // on for ever: it is running (or has given up) before anyone can stop it.
    std::unique_lock lock(m_doneMutex);
    while (!m_server.is_running() && !m_done)
        m_doneChanged.wait_for(lock, std::chrono::milliseconds(1));
    return true;
}

bool ProtocolServer::stop(std::chrono::milliseconds grace)
{
    m_server.stop();
    std::unique_lock lock(m_doneMutex);
    return m_doneChanged.wait_for(lock, grace, [this] { return m_done; });
}

std::string ProtocolServer::joinLines(const std::vector<std::string> &lines)
{
    std::string body;
    for (const std::string &line : lines) {
        body += line;
        body += "\r\n";
    }
    return body;
}

void ProtocolServer::handleQuotes(const httplib::Request &request, httplib::Response &response)
{
    const QueryString query(request.target);
    const std::string symbols = query.value("s").value_or("");
    std::string reason;
    std::optional<std::vector<std::string>> lines =
        quoteLines(m_market, symbols, query.value("f").value_or(""), reason);
    if (const std::string label = m_market.answerLabel(); !label.empty())
        response.set_header("X-Vantrel-Source", label);
    if (!lines) {
        // No line at all rather than lines of N/A: the program shows the service as down.
        response.status = 503;
        response.set_content("no source answers: " + reason + "\n", "text/plain");
        return;
    }
    m_send(request, response, std::move(*lines), "text/csv", symbols);
}

void ProtocolServer::handleChart(const httplib::Request &request, httplib::Response &response)
{
    if (!ChartRenderer::available()) {
        response.status = 503;
        response.set_content("charts need the server's graphics, which are not running\n",
                             "text/plain");
        return;
    }
    const ChartOptions options = ChartOptions::fromQuery(QueryString(request.target));
    m_sendDocument(request, response, m_charts.png(options), "image/png");
}

void ProtocolServer::handleChartData(const httplib::Request &request, httplib::Response &response)
{
    // The symbol may come encoded ("%5ENSEI") or not, whichever way the path was decoded.
    const std::string symbol = QueryString::decode(request.matches[1].str());
    const bool fiveDays = request.matches[2] == "5d";
    const std::optional<ChartSubject> subject =
        m_market.chart(symbol, fiveDays ? ChartRange::FiveDays : ChartRange::Day);
    if (!subject) {
        response.status = 404;
        response.set_content("no such symbol: " + symbol + "\n", "text/plain");
        return;
    }
    m_send(request, response, chartDataLines(*subject, fiveDays), "text/csv", subject->symbol);
}
