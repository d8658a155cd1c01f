#pragma once

#include <httplib.h>

#include <chrono>
#include <numeric>
#include <optional>
#include <string_view>

// The faults a live source's host can play instead of its recorded reply, for the in-process
// fake sources and vantrel-fakesources alike. Down is the host's own business (a closed port,
// or a 503 where several sources share one host); every other fault is played here.
enum class SourceFault { None, Down, Hang, Http500, Drop, Short, Garbage, LongLine, Trickle };

// In the enum's order.
inline constexpr std::array<std::string_view, 9> SourceFaultNames{
    "none", "down", "hang", "http500", "drop", "short", "garbage", "longline", "trickle"};

inline std::optional<SourceFault> sourceFaultNamed(std::string_view name)
{
    const auto it = std::ranges::find(SourceFaultNames, name);
    return it == SourceFaultNames.end() ? std::nullopt
                                        : std::optional(SourceFault(it - SourceFaultNames.begin()));
}

// Waits up to the given time; false when the host is shutting down and should stop at once.
using FaultSleep = std::function<bool(std::chrono::milliseconds)>;

// Answers with the fault in place of the body; false when the fault leaves the reply as it is
// (None, and Down, which never gets this far).
inline bool playSourceFault(SourceFault fault, const std::string &body, const std::string &type,
                            httplib::Response &response, const FaultSleep &sleep)
{
    auto whole = std::make_shared<const std::string>(body);
    switch (fault) {
    case SourceFault::None:
    case SourceFault::Down:
        return false;
    case SourceFault::Hang:
        sleep(std::chrono::minutes(1));
        response.status = 503;
        return true;
    case SourceFault::Http500:
        response.status = 500;
        response.set_content("Internal Server Error\n", "text/plain");
        return true;
    case SourceFault::Drop:
        // Promises the whole reply, sends half of it, then closes.
        response.set_content_provider(
            whole->size() + 512, type.c_str(),
            [whole](std::size_t offset, std::size_t, httplib::DataSink &sink) {
                if (offset < whole->size() / 2)
                    sink.write(whole->data() + offset, whole->size() / 2 - offset);
                return false;
            });
        return true;
    case SourceFault::Short:
        // Whole as far as HTTP can tell, but cut in the middle.
        response.set_content(whole->substr(0, whole->size() / 2), type.c_str());
        return true;
    case SourceFault::Garbage: {
        std::string noise(4096, '\0');
        for (std::size_t i = 0; i < noise.size(); ++i)
            noise[i] = static_cast<char>((i * 7919 + 13) % 251);
        response.set_content(noise, "application/octet-stream");
        return true;
    }
    case SourceFault::LongLine: {
        std::string line(1024 * 1024, '9');
        for (std::size_t i = 7; i < line.size(); i += 8)
            line[i] = '.';
        response.set_content(line + "\r\n", type.c_str());
        return true;
    }
    case SourceFault::Trickle:
        response.set_content_provider(
            whole->size(), type.c_str(),
            [whole, sleep](std::size_t offset, std::size_t, httplib::DataSink &sink) {
                // Stops when the client gives up (the write fails) or the host stops.
                return (offset == 0 || sleep(std::chrono::milliseconds(100))) &&
                       sink.write(whole->data() + offset, 1);
            });
        return true;
    }
    return false;
}

// A stand-in for the live sources on a free loopback port: it replays recorded replies by path
// and the faults the real hosts give (any status, the faults above, on one path or on every
// path, and going down), and counts what it was asked. Header-only, so tests without Qt can
// use it.
class FakeSourceServer
{
public:
    struct Reply
    {
        Reply(int code = 200, std::string text = {}, std::string type = "application/json")
            : status(code), body(std::move(text)), contentType(std::move(type))
        {
        }
        int status;
        std::string body;
        std::string contentType;
        std::vector<std::string> cookies; // Set-Cookie values
    };

    FakeSourceServer() { listen(); }
    // A hang in progress gives way at once.
    ~FakeSourceServer()
    {
        {
            std::lock_guard lock(m_mutex);
            m_released = true;
            m_wake.notify_all();
        }
        close();
    }

    // Down closes the port, so a request finds nobody there; up opens it again.
    void setDown(bool down) { down ? close() : listen(); }
    // A fault every path plays in place of its reply, until set back to None.
    void setFault(SourceFault fault)
    {
        std::lock_guard lock(m_mutex);
        m_fault = fault;
    }

    std::string baseUrl() const { return "http://127.0.0.1:" + std::to_string(m_port); }

    void serve(const std::string &path, Reply reply)
    {
        std::lock_guard lock(m_mutex);
        m_replies[path] = std::move(reply);
    }
    int hits(const std::string &path) const
    {
        std::lock_guard lock(m_mutex);
        return m_hits.contains(path) ? m_hits.at(path) : 0;
    }
    int totalHits() const
    {
        std::lock_guard lock(m_mutex);
        return std::accumulate(m_hits.begin(), m_hits.end(), 0,
                               [](int total, const auto &hit) { return total + hit.second; });
    }
    // A header of the last request to the path.
    std::string header(const std::string &path, const std::string &name) const
    {
        std::lock_guard lock(m_mutex);
        return m_headers.contains(path)
                   ? m_headers.at(path).contains(name) ? m_headers.at(path).find(name)->second : ""
                   : "";
    }

    static std::string fixture(const std::string &name)
    {
        std::ifstream in(std::string(VANTREL_LIVE_FIXTURES) + "/" + name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    void answer(const httplib::Request &request, httplib::Response &response)
    {
        std::unique_lock lock(m_mutex);
        ++m_hits[request.path];
        m_headers[request.path] = request.headers;
        const auto it = m_replies.find(request.path);
        // A path with nothing recorded is a 404, unless the whole host is at fault.
        const Reply reply =
            it == m_replies.end() ? Reply(404, "Not Found", "text/plain") : it->second;
        const SourceFault fault = m_fault;
        lock.unlock();
        const auto sleep = [this](std::chrono::milliseconds time) {
            std::unique_lock held(m_mutex);
            return !m_wake.wait_for(held, time, [this] { return m_released; });
        };
        if (playSourceFault(fault, reply.body, reply.contentType, response, sleep))
            return;
        response.status = reply.status;
        for (const std::string &cookie : reply.cookies)
            response.headers.emplace("Set-Cookie", cookie);
        response.set_content(reply.body, reply.contentType.c_str());
    }

    void listen()
    {
        if (m_server)
            return;
        m_server = std::make_unique<httplib::Server>();
        m_server->Get(".*",
                      [this](const auto &request, auto &response) { answer(request, response); });
        if (!m_port)
            m_port = m_server->bind_to_any_port("127.0.0.1");
        else
            m_server->bind_to_port("127.0.0.1", m_port);
        m_thread = std::thread([server = m_server.get()] { server->listen_after_bind(); });
        // A stop before the loop runs would be missed, and the loop would then run for ever.
        while (!m_server->is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    void close()
    {
        if (!m_server)
            return;
        m_server->stop();
        m_thread.join();
        m_server.reset();
    }

    std::unique_ptr<httplib::Server> m_server;
    int m_port = 0;
    std::thread m_thread;
    SourceFault m_fault = SourceFault::None;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_released = false;
    std::map<std::string, Reply> m_replies;
    std::map<std::string, int> m_hits;
    std::map<std::string, httplib::Headers> m_headers;
};
