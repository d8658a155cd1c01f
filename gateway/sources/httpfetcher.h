#pragma once

#include "hostgate.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct HttpReply
{
    int status = 0; // 0 when no answer came
    std::string body;
    std::string error;                // why there is no usable answer; empty for any HTTP answer
    bool heldBack = false;            // not sent: the host is in back-off
    bool silent = false;              // sent, but no whole answer came in time
    std::vector<std::string> cookies; // "name=value" from Set-Cookie
};

// Synchronous GETs with a browser-like User-Agent, the host's rate cap and back-off, a time
// limit on the whole transfer and a body-size limit. Safe to call from several threads: each
// call has its own connection.
class HttpFetcher
{
public:
    using Headers = std::vector<std::pair<std::string, std::string>>;

    // A host that hangs or trickles costs at most this; a request tries up to four hosts
    // (chart, batch, both end-of-day hosts) and must still answer within the program's own
    // 10 seconds.
    static constexpr std::chrono::milliseconds DefaultTimeLimit{2000};

    // The API's name keys its back-off, apart from other APIs on the same host.
    HttpFetcher(std::string api, std::shared_ptr<HostGate> gate, std::size_t maxBytes,
                std::chrono::milliseconds timeLimit = DefaultTimeLimit);
    HttpReply get(const std::string &url, const Headers &headers = {});
    HostGate &gate() const { return *m_gate; }
    // "scheme://host:port" of a URL, the key of the host's rate cap and back-off.
    static std::string hostOf(const std::string &url);
    // The key of this API's back-off on the URL's host.
    std::string apiOf(const std::string &url) const { return m_api + " " + hostOf(url); }
    // When this API is in back-off on the URL's host, the time it ends.
    std::optional<HostGate::Clock::time_point> blockedUntil(const std::string &url) const
    {
        return m_gate->blockedUntil(apiOf(url));
    }

private:
    std::string m_api;
    std::shared_ptr<HostGate> m_gate;
    std::size_t m_maxBytes;
    std::chrono::milliseconds m_timeLimit;
};

std::string urlEncoded(const std::string &text);

// A proxy "http://[user:pass@]host:port" as https_proxy gives it; nothing when unset or unreadable.
struct ProxySetting
{
    std::string host;
    int port = 0;
    std::string user, password;
};
std::optional<ProxySetting> proxyOf(const std::string &value);
// The process's proxy: the configured one, else https_proxy / HTTPS_PROXY.
void setFetchProxy(const std::string &configured);
