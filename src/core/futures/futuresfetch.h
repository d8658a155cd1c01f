#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class FuturesBoard;

// One "Get Latest Data": the contract page of every chosen stock in order, then the day's
// statistics page, one page after another. An internet failure on a contract page ends the
// contract pages (the stocks after it keep their values); the statistics are fetched all the
// same. What went wrong is told once, after the last page.
class FuturesFetch
{
public:
    static constexpr const char *ContractAgent = "Future Data Session";
    static constexpr const char *StatsAgent = "Future Stat Data Session";
    static constexpr const char *ContractProblem = "Internet Problem in getting Future Data";
    static constexpr const char *StatsProblem = "Internet Problem in getting Future Stats Data";
    static constexpr const char *UnreadableContracts = "Could not read the Future Data page of ";
    static constexpr const char *UnreadableStats = "Could not read the Future Stats Data page";

    struct Page
    {
        std::string url; // already encoded
        const char *agent;
    };

    FuturesFetch(FuturesBoard &board, std::string exchangeBase);

    // The page to fetch next; nothing once all are in.
    std::optional<Page> next() const;
    // The reply to the page next() gave: its body, or nothing after an internet failure.
    void arrived(std::optional<std::string_view> body);
    // What to tell the user, in order, once done.
    std::vector<std::string> messages() const;

private:
    enum class Stage { Contracts, Stats, Done };

    FuturesBoard &m_board;
    std::string m_base;
    Stage m_stage = Stage::Contracts;
    std::size_t m_stock = 0;
    bool m_contractProblem = false;
    bool m_statsProblem = false;
    bool m_statsUnreadable = false;
    std::vector<std::string> m_unreadable; // stocks whose page could not be read
};
