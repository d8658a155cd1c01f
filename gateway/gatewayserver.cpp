#include "gatewayserver.h"

#include "querystring.h"
#include "quoteservice.h"

namespace {
constexpr const char *OriginsHeader = "X-Vantrel-Quote-Origins";
}

GatewayServer::GatewayServer(LiveMarket &market) : m_market(market)
{
    m_protocol.http().Get("/gateway/status",
                          [this](const httplib::Request &, httplib::Response &response) {
                              response.set_header("Cache-Control", "no-store");
                              response.set_content(m_market.statusJson(), "application/json");
                          });
    // Each quote's source and time go with the lines, for the rows' tooltips.
    m_protocol.setLineSender([this](const httplib::Request &, httplib::Response &response,
                                    std::vector<std::string> lines, const char *contentType,
                                    std::string_view) {
        response.set_header(OriginsHeader, m_market.answerOrigins());
        response.set_content(ProtocolServer::joinLines(lines), contentType);
    });
    m_protocol.http().Get("/gateway/closes.csv", [this](const httplib::Request &request,
                                                        httplib::Response &response) {
        const QueryString query(request.target);
        std::string reason;
        const std::optional<std::vector<std::string>> lines = quoteLines(
            m_closes, query.value("s").value_or(""), query.value("f").value_or(""), reason);
        response.set_header("X-Vantrel-Source", m_market.answerLabel());
        if (!lines) {
            response.status = 503;
            response.set_content("no end-of-day file: " + reason + "\n", "text/plain");
            return;
        }
        response.set_header(OriginsHeader, m_market.answerOrigins());
        response.set_content(ProtocolServer::joinLines(*lines), "text/csv");
    });
}
