// vantrel-fakesources: the live sources' hosts on loopback, replaying the recorded replies of
// tests/fixtures/live, so `vantrel --live` can be tried and tested without the internet.
// GET /fake/control?chart=down&batch=down&eod=down (or all=down, and =up) stops and restarts
// a source on any of its hosts; any fault of support/fakesourceserver.h in place of down plays it.
// It prints its port, then the VANTREL_LIVE_* settings that point at its hosts.
#include "support/fakesourceserver.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::atomic<SourceFault> g_chart = SourceFault::None, g_batch = SourceFault::None,
                         g_eod = SourceFault::None;
std::atomic<bool> g_stopping = false;
bool g_everySymbol = false;
std::FILE *g_log = nullptr;
std::mutex g_logMutex;

// A hang or a trickle gives way as soon as the program is told to stop.
bool sleepUnlessStopping(std::chrono::milliseconds time)
{
    const auto end = std::chrono::steady_clock::now() + time;
    while (!g_stopping && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return !g_stopping;
}

// A trading symbol's made-up quote, stamped now: for a watch list larger than the recordings.
std::string madeUpQuote(const std::string &symbol)
{
    const double price = 100 + static_cast<double>(std::hash<std::string>{}(symbol) % 90000) / 100;
    const auto now = std::chrono::duration_cast<std::chrono::seconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    char item[320];
    std::snprintf(item, sizeof item,
                  "{\"symbol\":\"%s\",\"marketState\":\"REGULAR\",\"regularMarketPrice\":%.2f,"
                  "\"regularMarketPreviousClose\":%.2f,\"regularMarketVolume\":%d,"
                  "\"regularMarketTime\":%lld}",
                  symbol.c_str(), price, price * 0.99, 1000 + static_cast<int>(price),
                  static_cast<long long>(now - 5));
    return item;
}

// The recorded batch reply, with every asked stock it lacks made up after its own.
std::string everySymbolReply(const std::string &recorded, const std::string &asked)
{
    std::string items;
    std::stringstream list(asked);
    for (std::string symbol; std::getline(list, symbol, ',');)
        if ((symbol.ends_with(".NS") || symbol.ends_with(".BO")) && symbol.size() < 40 &&
            symbol.find('"') == std::string::npos &&
            recorded.find("\"" + symbol + "\"") == std::string::npos)
            items += "," + madeUpQuote(symbol);
    std::string body = recorded;
    const std::size_t end = body.find("],\"error\"");
    if (end != std::string::npos)
        body.insert(end, items);
    return body;
}

void logRequest(const char *host, const httplib::Request &request)
{
    if (!g_log)
        return;
    const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    std::lock_guard lock(g_logMutex);
    std::fprintf(g_log, "%lld %s %s\n", static_cast<long long>(now), host, request.path.c_str());
    std::fflush(g_log);
}

void reply(httplib::Response &response, int status, const std::string &name, const char *type)
{
    response.status = status;
    response.set_content(FakeSourceServer::fixture(name), type);
}

// The recorded reply, or the source's fault in its place; false when the source is down.
bool replay(httplib::Response &response, SourceFault fault, int status, const std::string &name,
            const char *type)
{
    if (fault != SourceFault::Down && !playSourceFault(fault, FakeSourceServer::fixture(name), type,
                                                       response, sleepUnlessStopping))
        reply(response, status, name, type);
    return fault != SourceFault::Down;
}

std::string stateOf(SourceFault fault)
{
    return fault == SourceFault::None ? "up" : std::string(SourceFaultNames[std::size_t(fault)]);
}

void control(const httplib::Request &request, httplib::Response &response)
{
    for (const auto &[source, state] : std::map<std::string, std::atomic<SourceFault> *>{
             {"chart", &g_chart}, {"batch", &g_batch}, {"eod", &g_eod}}) {
        const std::string value = request.has_param(source) ? request.get_param_value(source)
                                                            : request.get_param_value("all");
        if (value.empty())
            continue;
        const std::optional<SourceFault> fault =
            value == "up" ? SourceFault::None : sourceFaultNamed(value);
        if (!fault) {
            response.status = 400;
            response.set_content("unknown state " + value + "\n", "text/plain");
            return;
        }
        *state = *fault;
    }
    response.set_content("chart " + stateOf(g_chart) + ", batch " + stateOf(g_batch) + ", eod " +
                             stateOf(g_eod) + "\n",
                         "text/plain");
}

// The chart and batch API's host, which also serves the page that hands out the cookie.
void serveQuoteHost(httplib::Server &server)
{
    static const std::map<std::string, std::string> charts{
        {"^NSEI", "chart_nsei_5m.json"},      {"^BSESN", "chart_bsesn_5m.json"},
        {"USDINR=X", "chart_usdinr_5m.json"}, {"INR=X", "chart_usdinr_5m.json"},
        {"BEL.NS", "chart_bel_5m.json"},      {"ADANIENT.NS", "chart_adanient_15m.json"},
        {"RELIANCE.NS", "chart_daily.json"}};
    server.Get(R"(/v8/finance/chart/([^/]+))", [](const auto &request, auto &response) {
        const auto it = charts.find(request.matches[1].str());
        const bool found = it != charts.end();
        if (!replay(response, g_chart, found ? 200 : 404,
                    found ? it->second : "chart_not_found.json", "application/json"))
            response.status = 503;
    });
    server.Get(R"(/quote/.*)", [](const auto &, auto &response) {
        response.set_header("Set-Cookie", "A3=d=AQABBfake; Path=/");
        response.set_content("<html></html>", "text/html");
    });
    server.Get("/v1/test/getcrumb", [](const auto &, auto &response) {
        if (!replay(response, g_batch, 200, "crumb_ok.txt", "text/plain"))
            reply(response, 429, "crumb_throttled.txt", "text/plain");
    });
    server.Get("/v7/finance/quote", [](const auto &request, auto &response) {
        if (!replay(response, g_batch, 200, "batch_quotes.json", "application/json"))
            reply(response, 401, "batch_invalid_crumb.json", "application/json");
        else if (g_everySymbol && response.status == 200 && g_batch == SourceFault::None)
            response.set_content(everySymbolReply(FakeSourceServer::fixture("batch_quotes.json"),
                                                  request.get_param_value("symbols")),
                                 "application/json");
    });
}

// Every trading day's file is the recorded one: its rows say which day it really is.
void serveEndOfDay(httplib::Server &server, const std::string &pattern, const std::string &name,
                   const char *type)
{
    server.Get(pattern, [name, type](const auto &, auto &response) {
        if (!replay(response, g_eod, 200, name, type))
            response.status = 503;
    });
}

} // namespace

int main(int argc, char **argv)
{
    int port = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--port" && i + 1 < argc)
            port = std::atoi(argv[++i]);
        else if (arg == "--every-symbol")
            g_everySymbol = true;
        else if (arg == "--log" && i + 1 < argc)
            g_log = std::fopen(argv[++i], "a");
        else {
            std::fprintf(arg == "--help" ? stdout : stderr,
                         "Usage: vantrel-fakesources [--port N] [--every-symbol] [--log FILE]\n");
            return arg == "--help" ? 0 : 2;
        }
    }
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);

    httplib::Server quotes, nse, bse;
    serveQuoteHost(quotes);
    serveEndOfDay(nse, R"(/content/cm/BhavCopy_NSE_CM_0_0_0_\d{8}_F_0000\.csv\.zip)",
                  "bhav_nse_20250620.csv.zip", "application/zip");
    serveEndOfDay(bse, R"(/download/BhavCopy/Equity/BhavCopy_BSE_CM_0_0_0_\d{8}_F_0000\.CSV)",
                  "bhav_bse_20250620.csv", "text/csv");
    const std::pair<httplib::Server *, const char *> hosts[] = {
        {&quotes, "quotes"}, {&nse, "nse"}, {&bse, "bse"}};
    for (const auto &[server, host] : hosts) {
        server->Get("/fake/control", control);
        server->set_logger(
            [host](const auto &request, const auto &) { logRequest(host, request); });
    }
    const int quotePort = port ? (quotes.bind_to_port("127.0.0.1", port) ? port : -1)
                               : quotes.bind_to_any_port("127.0.0.1");
    const int nsePort = nse.bind_to_any_port("127.0.0.1");
    const int bsePort = bse.bind_to_any_port("127.0.0.1");
    if (quotePort <= 0 || nsePort <= 0 || bsePort <= 0) {
        std::fprintf(stderr, "vantrel-fakesources: cannot listen on 127.0.0.1:%d\n", port);
        return 1;
    }
    std::printf("%d\nVANTREL_LIVE_CHART_URL=http://127.0.0.1:%d\nVANTREL_LIVE_BATCH_URL=http://"
                "127.0.0.1:%d\nVANTREL_LIVE_CRUMB_PAGE_URL=http://127.0.0.1:%d/quote/RELIANCE.NS\n"
                "VANTREL_LIVE_NSE_URL=http://127.0.0.1:%d\nVANTREL_LIVE_BSE_URL=http://"
                "127.0.0.1:%d\n",
                quotePort, quotePort, quotePort, quotePort, nsePort, bsePort);
    std::fflush(stdout);

    std::vector<std::thread> threads;
    for (const auto &[server, host] : hosts)
        threads.emplace_back([server] { server->listen_after_bind(); });
    int signal = 0;
    sigwait(&stop, &signal);
    g_stopping = true;
    for (const auto &[server, host] : hosts)
        server->stop();
    for (std::thread &thread : threads)
        thread.join();
}
