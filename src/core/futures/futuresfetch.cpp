#include "core/futures/futuresfetch.h"

#include "core/futures/futuresboard.h"
#include "core/net/urlencode.h"

FuturesFetch::FuturesFetch(FuturesBoard &board, std::string exchangeBase)
    : m_board(board), m_base(std::move(exchangeBase))
{
    if (m_board.chosen().empty())
        m_stage = Stage::Stats;
}

std::optional<FuturesFetch::Page> FuturesFetch::next() const
{
    switch (m_stage) {
    case Stage::Contracts:
        return Page{m_base + "/marketinfo/fo/fomwatchsymbol.jsp?key=" +
                        encodeQueryValue(m_board.chosen()[m_stock].row.symbol) + "&Fut_Opt=Futures",
                    ContractAgent};
    case Stage::Stats:
        return Page{m_base + "/content/fo/fo_markettoday.htm", StatsAgent};
    case Stage::Done:
        break;
    }
    return std::nullopt;
}

void FuturesFetch::arrived(std::optional<std::string_view> body)
{
    switch (m_stage) {
    case Stage::Contracts:
        if (!body) {
            m_contractProblem = true;
            m_stage = Stage::Stats;
            return;
        }
        if (!m_board.readContractPage(m_stock, pageText(*body)))
            m_unreadable.push_back(m_board.chosen()[m_stock].row.underlying);
        if (++m_stock >= m_board.chosen().size())
            m_stage = Stage::Stats;
        return;
    case Stage::Stats:
        if (!body)
            m_statsProblem = true;
        else if (!m_board.readStatsPage(pageText(*body)))
            m_statsUnreadable = true;
        m_board.updateExpiryLabels();
        m_stage = Stage::Done;
        return;
    case Stage::Done:
        return;
    }
}

std::vector<std::string> FuturesFetch::messages() const
{
    std::vector<std::string> out;
    if (m_contractProblem)
        out.emplace_back(ContractProblem);
    if (!m_unreadable.empty()) {
        std::string names;
        for (const std::string &name : m_unreadable)
            names += (names.empty() ? "" : ", ") + name;
        out.push_back(UnreadableContracts + names);
    }
    if (m_statsProblem)
        out.emplace_back(StatsProblem);
    if (m_statsUnreadable)
        out.emplace_back(UnreadableStats);
    return out;
}
