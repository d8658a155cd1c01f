#pragma once

#include "hostgate.h"

#include <chrono>
#include <memory>
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

    HttpFetcher(std::shared_ptr<HostGate> gate, std::size_t maxBytes,
                std::chrono::milliseconds timeLimit = DefaultTimeLimit);
    HttpReply get(const std::string &url, const Headers &headers = {});
    HostGate &gate() const { return *m_gate; }
    // "scheme://host:port" of a URL, the key of the host's rate cap and back-off.
    static std::string hostOf(const std::string &url);

private:
    std::shared_ptr<HostGate> m_gate;
    std::size_t m_maxBytes;
    std::chrono::milliseconds m_timeLimit;
};

std::string urlEncoded(const std::string &text);
