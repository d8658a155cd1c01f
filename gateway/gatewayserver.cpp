#include "gatewayserver.h"

GatewayServer::GatewayServer(LiveMarket &market) : m_market(market)
{
    m_protocol.http().Get("/gateway/status",
                          [this](const httplib::Request &, httplib::Response &response) {
                              response.set_header("Cache-Control", "no-store");
                              response.set_content(m_market.statusJson(), "application/json");
                          });
}
