#include "core/chartlink/backfill.h"

#include "core/net/urlencode.h"

namespace chartlink {

std::optional<BackfillTarget> backfillTarget(std::size_t position,
                                             const std::vector<WatchedStock> &stocks)
{
    if (position == 0)
        return BackfillTarget{"NIFTY", "^NSEI"};
    if (position == 1)
        return BackfillTarget{"SENSEX", "^BSESN"};
    const std::size_t i = position - 2;
    if (i >= stocks.size() || !stocks[i].isNse())
        return std::nullopt;
    return BackfillTarget{stocks[i].entry.symbol, stocks[i].entry.symbol + ".NS"};
}

std::string chartDataPath(const std::string &chartSymbol, BackfillKind kind)
{
    return "/instrument/1.0/" + encodeQueryValue(chartSymbol) +
           "/chartdata;type=quote;range=" + (kind == BackfillKind::OneMinute ? "1d" : "5d") +
           "/csv/";
}

std::string backfillData(const std::vector<std::string> &replyLines, BackfillKind kind)
{
    const std::size_t header = kind == BackfillKind::OneMinute ? 14 : 19;
    std::string out;
    for (std::size_t i = header; i < replyLines.size(); ++i)
        out += replyLines[i] + "*";
    return out;
}

void BackfillRun::start(BackfillKind kind, std::size_t length)
{
    if (kind != m_kind)
        m_position = 0;
    m_kind = kind;
    m_length = length;
    m_running = true;
}

void BackfillRun::finish()
{
    m_running = false;
    if (done())
        m_position = 0;
}

} // namespace chartlink
