#pragma once

#include "futurespages.h"
#include "marketmodel.h"
#include "protocolserver.h"
#include "replypolicy.h"
#include "simclock.h"
#include "simmarket.h"
#include "simoptions.h"
#include "symbollookup.h"
#include "universe.h"

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

// The simulated market's HTTP service on 127.0.0.1: the protocol server's quote service,
// chart images and chart data, and the simulator's symbol lookup page, futures pages and
// control endpoint, with the configured faults and delay applied to every reply but the
// control endpoint's.
class SimServer
{
public:
    explicit SimServer(const SimOptions &options);
    ~SimServer();
    SimServer(const SimServer &) = delete;
    SimServer &operator=(const SimServer &) = delete;

    // Problems met while loading that still let the service run (a missing company list).
    const std::string &warning() const { return m_warning; }
    const MarketModel &model() const { return m_model; }

    // Binds the port (0: any free one) and serves on a thread of its own.
    bool start(int port, std::string &error) { return m_protocol.start(port, error); }
    int port() const { return m_protocol.port(); }

    // Wakes waiting replies and stops serving; true when every connection has ended within
    // the grace period.
    bool stop(std::chrono::milliseconds grace);

private:
    void handleLookup(const httplib::Request &request, httplib::Response &response);
    void handleControl(const httplib::Request &request, httplib::Response &response);
    // Sends a data reply of lines the way the current policy says.
    void reply(const httplib::Request &request, httplib::Response &response,
               std::vector<std::string> lines, const char *contentType, std::string_view symbols);
    // Sends a whole document (a page, an image) the same way; cut short, it is half of it.
    void replyDocument(const httplib::Request &request, httplib::Response &response,
                       std::string body, const char *contentType);
    // The policy for this request: a fault scoped to a symbol or a path plays only on the
    // requests it names. Documents name no symbols.
    ReplyPolicy::Settings policyFor(const httplib::Request &request,
                                    std::optional<std::string_view> symbols) const;
    // Waits out the delay and plays the faults that treat every reply alike. False when the
    // reply is still to be sent: no fault, or a short reply that each kind cuts its own way.
    bool playFault(const ReplyPolicy::Settings &policy, httplib::Response &response,
                   const std::string &body, const char *contentType, std::size_t lines);

    std::string m_warning;
    Universe m_universe;
    MarketModel m_model;
    SymbolLookup m_lookup;
    SimClock m_clock;
    ReplyPolicy m_policy;
    std::uint64_t m_seed;
    FuturesPages m_futures{m_model, m_seed};
    std::atomic<std::uint64_t> m_replies{0};
    SimMarket m_market{m_model, m_clock};
    // Last, so it stops serving before anything its replies read goes away.
    ProtocolServer m_protocol{m_market};
};
