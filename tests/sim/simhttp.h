#pragma once

#include <httplib.h>

#include <sstream>
#include <string>
#include <vector>

// A plain GET to a test's simulator with the target sent exactly as written, so a test
// controls every byte of the query, as the program does.
struct SimReply
{
    bool ok = false; // a whole reply arrived
    int status = 0;
    std::string body;
    httplib::Error error = httplib::Error::Success;
};

inline SimReply simGet(int port, const std::string &target, int readTimeoutMs = 10000)
{
    httplib::Client client("127.0.0.1", port);
    client.set_url_encode(false);
    client.set_read_timeout(readTimeoutMs / 1000, (readTimeoutMs % 1000) * 1000);
    SimReply reply;
    if (auto result = client.Get(target)) {
        reply.ok = true;
        reply.status = result->status;
        reply.body = result->body;
    } else {
        reply.error = result.error();
    }
    return reply;
}

// The reply's lines without their line ends.
inline std::vector<std::string> replyLines(const std::string &body)
{
    std::vector<std::string> lines;
    std::istringstream in(body);
    for (std::string line; std::getline(in, line); lines.push_back(line))
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    return lines;
}
