#include "httpfetcher.h"

#include <httplib.h>

#include <cstdlib>
#include <mutex>

namespace {

const char *const userAgent = "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like "
                              "Gecko) Chrome/126.0.0.0 Safari/537.36";

// Splits "scheme://host[:port]/path?query" at the path.
std::pair<std::string, std::string> split(const std::string &url)
{
    const std::size_t scheme = url.find("://");
    const std::size_t path = url.find('/', scheme == std::string::npos ? 0 : scheme + 3);
    if (path == std::string::npos)
        return {url, "/"};
    return {url.substr(0, path), url.substr(path)};
}

std::mutex g_proxyMutex;
std::optional<ProxySetting> g_proxy;

std::optional<ProxySetting> currentProxy()
{
    std::lock_guard lock(g_proxyMutex);
    return g_proxy;
}

// Stand-in sources on this machine are reached directly, as a browser would.
bool loopback(const std::string &base)
{
    return base.find("://127.0.0.1") != std::string::npos ||
           base.find("://localhost") != std::string::npos;
}

} // namespace

std::optional<ProxySetting> proxyOf(const std::string &value)
{
    std::string rest = value;
    if (const std::size_t scheme = rest.find("://"); scheme != std::string::npos)
        rest = rest.substr(scheme + 3);
    rest = rest.substr(0, rest.find('/'));
    ProxySetting p;
    if (const std::size_t at = rest.rfind('@'); at != std::string::npos) {
        const std::string credentials = rest.substr(0, at);
        rest = rest.substr(at + 1);
        const std::size_t colon = credentials.find(':');
        p.user = credentials.substr(0, colon);
        if (colon != std::string::npos)
            p.password = credentials.substr(colon + 1);
    }
    const std::size_t colon = rest.rfind(':');
    p.host = rest.substr(0, colon);
    p.port = 80;
    if (colon != std::string::npos) {
        const std::string digits = rest.substr(colon + 1);
        if (digits.empty() || digits.size() > 5 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        p.port = std::stoi(digits);
    }
    if (p.host.empty() || p.port <= 0 || p.port > 65535)
        return std::nullopt;
    return p;
}

void setFetchProxy(const std::string &configured)
{
    std::string value = configured;
    for (const char *name : {"https_proxy", "HTTPS_PROXY"})
        if (const char *env = std::getenv(name); value.empty() && env && *env)
            value = env;
    std::lock_guard lock(g_proxyMutex);
    g_proxy = value.empty() ? std::nullopt : proxyOf(value);
}

HttpFetcher::HttpFetcher(std::string api, std::shared_ptr<HostGate> gate, std::size_t maxBytes,
                         std::chrono::milliseconds timeLimit)
    : m_api(std::move(api)), m_gate(std::move(gate)), m_maxBytes(maxBytes), m_timeLimit(timeLimit)
{
}

std::string HttpFetcher::hostOf(const std::string &url)
{
    std::string host = split(url).first;
    if (host.find(':', host.find("://") + 3) == std::string::npos)
        host += host.rfind("https", 0) == 0 ? ":443" : ":80";
    return host;
}

HttpReply HttpFetcher::get(const std::string &url, const Headers &headers)
{
    HttpReply reply;
    const std::string host = hostOf(url);
    if (m_gate->blockedUntil(apiOf(url))) {
        reply.heldBack = true;
        reply.error = "throttled";
        return reply;
    }
    if (!m_gate->pace(host)) {
        reply.heldBack = true;
        reply.error = "closing";
        return reply;
    }

    const auto [base, target] = split(url);
    httplib::Client client(base);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(m_timeLimit);
    const auto micros =
        std::chrono::duration_cast<std::chrono::microseconds>(m_timeLimit - seconds);
    client.set_connection_timeout(seconds.count(), micros.count());
    client.set_read_timeout(seconds.count(), micros.count());
    client.set_write_timeout(seconds.count(), micros.count());
    client.set_follow_location(true);
    if (const std::optional<ProxySetting> proxy = currentProxy(); proxy && !loopback(base)) {
        client.set_proxy(proxy->host, proxy->port);
        if (!proxy->user.empty())
            client.set_proxy_basic_auth(proxy->user, proxy->password);
    }
    httplib::Headers sent{{"User-Agent", userAgent}, {"Accept", "*/*"}};
    for (const auto &[name, value] : headers)
        sent.emplace(name, value);

    // The timeouts above bound each wait; a host sending a byte now and then never waits long,
    // so the whole transfer has a deadline of its own.
    const auto deadline = std::chrono::steady_clock::now() + m_timeLimit;
    bool tooLarge = false;
    bool tooSlow = false;
    std::string body;
    const httplib::Result result =
        client.Get(target, sent, [&](const char *data, std::size_t length) {
            if (body.size() + length > m_maxBytes) {
                tooLarge = true;
                return false;
            }
            if (std::chrono::steady_clock::now() > deadline) {
                tooSlow = true;
                return false;
            }
            body.append(data, length);
            return true;
        });
    if (tooLarge) {
        reply.error = "reply too large";
        return reply;
    }
    if (tooSlow || !result) {
        reply.silent = true;
        reply.error = tooSlow ? "no whole answer in time"
                              : "no answer (" + httplib::to_string(result.error()) + ")";
        return reply;
    }
    reply.status = result->status;
    m_gate->record(apiOf(url), reply.status);
    reply.body = std::move(body);
    for (auto [it, end] = result->headers.equal_range("Set-Cookie"); it != end; ++it)
        reply.cookies.push_back(it->second.substr(0, it->second.find(';')));
    return reply;
}

std::string urlEncoded(const std::string &text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}
