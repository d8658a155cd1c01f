#pragma once

#include "closesmarket.h"
#include "livemarket.h"
#include "protocolserver.h"

#include <chrono>
#include <string>

// The live market's HTTP service on 127.0.0.1: the protocol server's routes over the live
// market, GET /gateway/status, and GET /gateway/closes.csv (quote lines of the end-of-day
// files alone, for a whole-exchange sweep). Quote replies name each quote's origin.
class GatewayServer
{
public:
    explicit GatewayServer(LiveMarket &market);

    bool openAccessLog(const std::string &path) { return m_protocol.openAccessLog(path); }
    bool start(int port, std::string &error) { return m_protocol.start(port, error); }
    int port() const { return m_protocol.port(); }
    bool stop(std::chrono::milliseconds grace) { return m_protocol.stop(grace); }

private:
    LiveMarket &m_market;
    ClosesMarket m_closes{m_market};
    ProtocolServer m_protocol{m_market};
};
