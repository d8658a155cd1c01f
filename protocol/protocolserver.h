#pragma once

#include "accesslog.h"
#include "chartrenderer.h"
#include "market.h"

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// httplib's server with a listen queue deep enough for the toppers scan, which opens a few
// dozen connections at once; the library's own queue of five drops the rest, and each of
// those clients then waits a second before it tries again.
class HttpServer : public httplib::Server
{
public:
    bool deepenListenQueue(int length);
};

// The HTTP service both the simulator and the gateway speak on 127.0.0.1, over a market: the
// quote service, chart images and chart data, and the access log; the owner adds the rest.
class ProtocolServer
{
public:
    // How a data reply of lines goes out; the simulator plays its faults there. The
    // symbols are those the request named.
    using LineSender = std::function<void(const httplib::Request &, httplib::Response &,
                                          std::vector<std::string> lines, const char *contentType,
                                          std::string_view symbols)>;

    explicit ProtocolServer(Market &market);
    ~ProtocolServer();
    ProtocolServer(const ProtocolServer &) = delete;
    ProtocolServer &operator=(const ProtocolServer &) = delete;

    bool openAccessLog(const std::string &path) { return m_log.open(path); }
    // How a whole document (an image, a page) goes out.
    using DocumentSender = std::function<void(const httplib::Request &, httplib::Response &,
                                              std::string body, const char *contentType)>;

    void setLineSender(LineSender sender) { m_send = std::move(sender); }
    void setDocumentSender(DocumentSender sender) { m_sendDocument = std::move(sender); }
    // The owner's own documents go out the same way.
    void sendDocument(const httplib::Request &request, httplib::Response &response,
                      std::string body, const char *contentType)
    {
        m_sendDocument(request, response, std::move(body), contentType);
    }
    // For the routes of the owner's own; add them before start().
    httplib::Server &http() { return m_server; }

    // Binds the port (0: any free one) and serves on a thread of its own.
    bool start(int port, std::string &error);
    int port() const { return m_port; }

    // Stops serving; true when every connection has ended within the grace period.
    bool stop(std::chrono::milliseconds grace);

    static std::string joinLines(const std::vector<std::string> &lines);

private:
    void handleQuotes(const httplib::Request &request, httplib::Response &response);
    void handleChart(const httplib::Request &request, httplib::Response &response);
    void handleChartData(const httplib::Request &request, httplib::Response &response);

    Market &m_market;
    AccessLog m_log;
    ChartRenderer m_charts{m_market};
    LineSender m_send;
    DocumentSender m_sendDocument;
    HttpServer m_server;
    int m_port = 0;
    std::thread m_thread;
    std::mutex m_doneMutex;
    std::condition_variable m_doneChanged;
    bool m_done = false;
};
