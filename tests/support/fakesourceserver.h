#pragma once

#include "support/sourcefaults.h"

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <map>
#include <mutex>
#include <numeric>
#include <sstream>
#include <string>
#include <thread>

// A stand-in for the live sources on a free loopback port: it replays recorded replies by path
// and the faults the real hosts give (any status, a huge body, the faults of sourcefaults.h,
// on one path or on every path, and going down), and counts what it was asked. Header-only,
// so tests without Qt can use it.
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
        std::vector<std::string> cookies;      // Set-Cookie values
        std::size_t hugeBytes = 0;             // send this many bytes of filler instead of the body
        SourceFault fault = SourceFault::None; // a hang lasts until released (or a minute)
    };

    FakeSourceServer() { listen(); }
    ~FakeSourceServer()
    {
        release();
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
    void release()
    {
        std::lock_guard lock(m_mutex);
        m_released = true;
        m_wake.notify_all();
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
        const SourceFault fault = m_fault != SourceFault::None ? m_fault : reply.fault;
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
        if (reply.hugeBytes == 0) {
            response.set_content(reply.body, reply.contentType.c_str());
            return;
        }
        response.set_content_provider(
            reply.hugeBytes, "application/json", [](std::size_t, std::size_t length, auto &sink) {
                const std::string filler(std::min<std::size_t>(length, 64 * 1024), ' ');
                return sink.write(filler.data(), filler.size());
            });
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
