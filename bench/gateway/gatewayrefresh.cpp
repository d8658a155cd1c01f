// gateway_refresh_53: the bar's three symbols and fifty NSE stocks through the gateway, against
// a stand-in host for the chart and batch APIs that takes 200 ms over every request. Prints the
// first answer's time (every symbol new to the gateway), the median warm answer over HTTP, and
// the requests the host got: the most in any one minute and the average a minute over the run.
// Usage: vantrel-gateway-bench [SECONDS] (default 300: five minutes, the program's 15-second
// refresh throughout).
#include "gatewayserver.h"
#include "livemarket.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string fixture(const std::string &name)
{
    std::ifstream in(std::string(VANTREL_LIVE_FIXTURES) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The host: every request costs 200 ms; the batch API answers every stock asked, stamped now.
class SlowHost
{
public:
    SlowHost()
    {
        m_server.Get(".*", [this](const httplib::Request &request, httplib::Response &response) {
            {
                std::lock_guard lock(m_mutex);
                m_sent.push_back(Clock::now());
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            answer(request, response);
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~SlowHost()
    {
        m_server.stop();
        m_thread.join();
    }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(m_port); }
    std::vector<Clock::time_point> sent() const
    {
        std::lock_guard lock(m_mutex);
        return m_sent;
    }

private:
    static void answer(const httplib::Request &request, httplib::Response &response)
    {
        const std::string &path = request.path;
        if (path.starts_with("/quote/")) {
            response.set_header("Set-Cookie", "A3=d=bench; Path=/");
            response.set_content("<html></html>", "text/html");
        } else if (path == "/v1/test/getcrumb") {
            response.set_content(fixture("crumb_ok.txt"), "text/plain");
        } else if (path == "/v7/finance/quote") {
            const long now = static_cast<long>(std::time(nullptr));
            std::string body = "{\"quoteResponse\":{\"result\":[";
            std::stringstream list(request.get_param_value("symbols"));
            std::string symbol;
            for (int k = 0; std::getline(list, symbol, ','); ++k)
                body += std::string(k ? "," : "") + "{\"symbol\":\"" + symbol +
                        "\",\"regularMarketPrice\":101.5,\"regularMarketChange\":1.5,"
                        "\"regularMarketTime\":" +
                        std::to_string(now) + ",\"marketState\":\"REGULAR\"}";
            response.set_content(body + "],\"error\":null}}", "application/json");
        } else if (path == "/v8/finance/chart/^NSEI") {
            response.set_content(fixture("chart_nsei_5m.json"), "application/json");
        } else if (path == "/v8/finance/chart/^BSESN") {
            response.set_content(fixture("chart_bsesn_5m.json"), "application/json");
        } else if (path == "/v8/finance/chart/USDINR=X") {
            response.set_content(fixture("chart_usdinr_5m.json"), "application/json");
        } else {
            response.status = 404;
        }
    }

    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::vector<Clock::time_point> m_sent;
};

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char **argv)
{
    const int seconds = argc > 1 ? std::max(60, std::atoi(argv[1])) : 300;
    SlowHost host;
    LiveSourceConfig config; // the default budget: 60 requests a minute to a host
    config.chartBaseUrl = config.batchBaseUrl = host.url();
    config.crumbPageUrl = host.url() + "/quote/AAPL";
    config.nseArchiveBaseUrl = config.bseBaseUrl = "http://127.0.0.1:9"; // nothing there
    config.dataRoot = "/tmp/vantrel-gateway-bench";
    LiveMarket market(makeLiveSources(config));
    GatewayServer server(market);
    std::string error;
    if (!server.start(0, error)) {
        std::fprintf(stderr, "gateway: %s\n", error.c_str());
        return 1;
    }
    std::string query = "/d/quotes.csv?s=%5ENSEI,%5EBSESN,USDINR%3DX";
    for (int k = 1; k <= 50; ++k)
        query += ",STOCK" + std::to_string(k) + ".NS";
    httplib::Client client("127.0.0.1", server.port());
    client.set_url_encode(false);
    const auto ask = [&] {
        const auto reply = client.Get(query);
        return reply && reply->status == 200;
    };

    const Clock::time_point begin = Clock::now();
    Clock::time_point start = Clock::now();
    const bool firstOk = ask();
    const double first = msSince(start);
    std::this_thread::sleep_for(std::chrono::seconds(3)); // the poller's first round is over
    std::vector<double> warm;
    for (int k = 0; k < 200; ++k) {
        start = Clock::now();
        ask();
        warm.push_back(msSince(start));
    }
    std::sort(warm.begin(), warm.end());
    // The program's refresh every 15 seconds for the rest of the run.
    while (Clock::now() - begin < std::chrono::seconds(seconds)) {
        std::this_thread::sleep_for(std::chrono::seconds(15));
        ask();
    }
    const std::vector<Clock::time_point> sent = host.sent();
    std::size_t most = 0;
    std::deque<Clock::time_point> window;
    for (const Clock::time_point t : sent) {
        window.push_back(t);
        while (t - window.front() >= std::chrono::minutes(1))
            window.pop_front();
        most = std::max(most, window.size());
    }
    std::printf("gateway_refresh_53_first_ms %.0f%s\n", first, firstOk ? "" : " (refused)");
    std::printf("gateway_refresh_53_warm_ms %.2f\n", warm[warm.size() / 2]);
    std::printf("gateway_refresh_53_requests_most_in_a_minute %zu\n", most);
    std::printf("gateway_refresh_53_requests_a_minute %.1f\n",
                sent.size() * 60.0 / std::max(1, seconds));
    return 0;
}
