#include "core/charts/chartrequest.h"

#include "core/common/blanktext.h"
#include "core/net/urlencode.h"

ChartRequest::ChartRequest(std::string symbol, std::string exchange)
{
    if (exchange == "NSE")
        m_requestSymbol = symbol + ".NS";
    else if (exchange == "BSE")
        m_requestSymbol = symbol + ".BO";
    else
        m_requestSymbol = std::move(symbol);
}

bool ChartRequest::addAverage(const std::string &item)
{
    ++m_averageClicks;
    if (m_averageClicks >= AverageLimit)
        return false;
    m_averages += item;
    return true;
}

std::string ChartRequest::chartPath() const
{
    return "/z?s=" + encodeQueryValue(m_requestSymbol) + "&t=" + m_range + "&q=" + m_type +
           "&l=" + m_scale + "&z=" + m_size + "&p=" + m_averages + "&a=" + m_indicators +
           "&c=" + m_compare;
}

std::string ChartRequest::rangePath() const
{
    return "/d/quotes.csv?s=" + encodeQueryValue(m_requestSymbol) + "&f=w";
}

std::string cleanRangeLine(const std::string &line)
{
    std::string out;
    for (char c : line)
        if (c != '"')
            out.push_back(c);
    return std::string(trimBlanks(out));
}
