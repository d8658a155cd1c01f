#include "httpfetcher.h"

#include <httplib.h>

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

} // namespace

HttpFetcher::HttpFetcher(std::shared_ptr<HostGate> gate, std::size_t maxBytes,
                         std::chrono::milliseconds timeLimit)
    : m_gate(std::move(gate)), m_maxBytes(maxBytes), m_timeLimit(timeLimit)
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
    if (m_gate->blockedUntil(host)) {
        reply.heldBack = true;
        reply.error = "throttled";
        return reply;
    }
    m_gate->pace(host);

    const auto [base, target] = split(url);
    httplib::Client client(base);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(m_timeLimit);
    const auto micros =
        std::chrono::duration_cast<std::chrono::microseconds>(m_timeLimit - seconds);
    client.set_connection_timeout(seconds.count(), micros.count());
    client.set_read_timeout(seconds.count(), micros.count());
    client.set_write_timeout(seconds.count(), micros.count());
    client.set_follow_location(true);
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
    m_gate->record(host, reply.status);
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
