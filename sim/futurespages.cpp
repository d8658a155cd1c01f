#include "futurespages.h"

#include "noise.h"
#include "simtime.h"
#include "symbollookup.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {
const char *const Months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                              "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

std::string fixed(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::string cell(const std::string &text)
{
    return "<td class=\"n\">" + text + "</td>";
}

struct MonthIndex
{
    int year;
    int month; // 1..12
};

MonthIndex plus(MonthIndex m, int months)
{
    const int k = m.year * 12 + (m.month - 1) + months;
    return {k / 12, k % 12 + 1};
}
} // namespace

bool FuturesPages::loadList(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string line;
    std::getline(in, line); // the header
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (const std::size_t comma = line.rfind(','); comma != std::string::npos)
            addSymbol(line.substr(comma + 1));
    }
    return true;
}

std::int64_t FuturesPages::lastThursday(int year, int month)
{
    const MonthIndex next = plus({year, month}, 1);
    const std::int64_t lastDay = simtime::daysFromCivil({next.year, next.month, 1}) - 1;
    return lastDay - (simtime::weekday(lastDay) - 3 + 7) % 7;
}

std::vector<std::string> FuturesPages::expiries(std::int64_t day)
{
    const simtime::CivilDate today = simtime::civilFromDays(day);
    MonthIndex first{today.year, today.month};
    if (day > lastThursday(first.year, first.month))
        first = plus(first, 1);
    std::vector<std::string> out;
    for (int k = 0; k < 3; ++k) {
        const MonthIndex m = plus(first, k);
        const simtime::CivilDate expiry = simtime::civilFromDays(lastThursday(m.year, m.month));
        char text[16];
        std::snprintf(text, sizeof text, "%02d%s%04d", expiry.day, Months[expiry.month - 1],
                      expiry.year);
        out.push_back(text);
    }
    return out;
}

std::string FuturesPages::contractPage(std::string_view symbol, std::int64_t now) const
{
    const std::string name = escapeHtml(symbol);
    std::string html = "<html><head><title>Futures: " + name +
                       "</title></head><body>\r\n<table class=\"fo\">\r\n"
                       "<tr><th>Instrument Type</th><th>Underlying</th><th>Expiry Date</th>"
                       "<th>Option Type</th><th>Strike Price</th><th>High Price</th>"
                       "<th>Low Price</th><th>Prev. Close</th><th>Last Price</th>"
                       "<th>No. of Contracts Traded</th><th>Turnover (Rs. in Lakhs)</th>"
                       "<th>Underlying Value</th></tr>\r\n";
    const Instrument *stock = m_symbols.contains(std::string(symbol))
                                  ? m_model.universe().find(std::string(symbol) + ".NS")
                                  : nullptr;
    if (stock) {
        const Quote q = m_model.quote(*stock, now);
        const std::uint64_t key = noise::combine(noise::combine(m_seed, noise::hashText(symbol)),
                                                 static_cast<std::uint64_t>(q.day));
        const double lot = 100 * (1 + static_cast<int>(noise::uniform(key) * 20));
        const std::vector<std::string> expiry = expiries(q.day);
        for (int m = 0; m < 3; ++m) {
            const std::uint64_t k = noise::combine(key, static_cast<std::uint64_t>(m + 1));
            // Futures stand above the stock by the cost of carrying it to expiry.
            const double carry = 1 + 0.006 * (m + 1) + 0.002 * noise::normal(k);
            const double base = 100 + 4000 * noise::uniform(key ^ 0x33);
            const double contracts =
                std::floor(base / std::pow(8.0, m) * (0.5 + noise::uniform(k ^ 0x55)));
            const bool traded = contracts > 0 && !(m == 2 && noise::uniform(k ^ 0xaa) < 0.4);
            const double last = q.last * carry;
            html += "<tr>" + cell("FUTSTK") + cell(name) +
                    "<td class=\"t\"><a href=\"?key=" + name +
                    "&amp;expiry=" + expiry[static_cast<std::size_t>(m)] + "\">" +
                    expiry[static_cast<std::size_t>(m)] + "</a></td>" + cell("-") + cell("-") +
                    cell(traded ? fixed(q.high * carry) : "-") +
                    cell(traded ? fixed(q.low * carry) : "-") +
                    cell(fixed(q.previousClose * carry)) + cell(traded ? fixed(last) : "0.00") +
                    cell(std::to_string(traded ? static_cast<long long>(contracts) : 0)) +
                    cell(fixed(traded ? contracts * lot * last / 1e5 : 0)) + cell(fixed(q.last)) +
                    "</tr>\r\n";
        }
    }
    html += "</table>\r\n<p>SIMULATED MARKET: prices are not real.</p></body></html>\r\n";
    return html;
}

std::string FuturesPages::statsPage(std::int64_t now) const
{
    const std::int64_t day = m_model.calendar().momentAt(now).day;
    const simtime::CivilDate date = simtime::civilFromDays(day);
    static const char *const Titled[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char heading[64];
    std::snprintf(heading, sizeof heading, "Trade Statistics for %02d-%s-%04d", date.day,
                  Titled[date.month - 1], date.year);
    std::string html = "<HTML><HEAD><TITLE>F&amp;O Market Today</TITLE></HEAD><BODY>\r\n"
                       "<TABLE BORDER=1>\r\n<TR><TD COLSPAN=3 CLASS=\"hd\">" +
                       std::string(heading) +
                       "</TD></TR>\r\n<TR><TH>Product</TH><TH>No. of contracts</TH>"
                       "<TH>Turnover (Rs. cr.)</TH></TR>\r\n";
    const std::uint64_t key = noise::combine(m_seed ^ 0xf0f0, static_cast<std::uint64_t>(day));
    const char *const products[] = {"Index Futures", "Stock Futures", "Index Options",
                                    "Stock Options"};
    const double scale[] = {250000, 600000, 1500000, 90000};
    for (std::size_t i = 0; i < 4; ++i) {
        const double u = noise::uniform(noise::combine(key, i));
        const double contracts = std::floor(scale[i] * (0.7 + 0.6 * u));
        html += "<TR><TD>" + std::string(products[i]) + "</TD><TD>" +
                std::to_string(static_cast<long long>(contracts)) + "</TD><TD>" +
                fixed(contracts * (0.02 + 0.01 * u)) + "</TD></TR>\r\n";
    }
    html += "</TABLE>\r\n</BODY></HTML>\r\n";
    return html;
}
