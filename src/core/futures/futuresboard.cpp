#include "core/futures/futuresboard.h"

#include "core/common/messenger.h"

#include <algorithm>

FuturesBoard::FuturesBoard(FutureCatalogue &catalogue, SelectedFutureStore &selected,
                           Messenger &messenger)
    : m_catalogue(catalogue), m_selected(selected), m_messenger(messenger)
{
    m_stats.heading = InitialHeading;
    m_stats.rows[0].product = "Index Futures";
    m_stats.rows[1].product = "Stock Futures";
    m_expiryLabels.fill(InitialExpiry);
}

void FuturesBoard::load()
{
    auto catalogue = m_catalogue.loadAll();
    if (!catalogue) {
        m_messenger.inform(catalogue.error());
        return;
    }
    m_choices = std::move(catalogue).value();
    if (m_choices.size() > MaxChoices)
        m_choices.resize(MaxChoices);
    loadChosen();
}

bool FuturesBoard::loadChosen()
{
    auto rows = m_selected.load();
    if (!rows) {
        m_messenger.inform(rows.error());
        return false;
    }
    std::vector<FutureStock> chosen;
    for (FutureRow &row : rows.value()) {
        if (chosen.size() == MaxChosen)
            break;
        FutureStock stock{std::move(row), {}};
        const auto before = std::ranges::find(m_chosen, stock.row.symbol,
                                              [](const FutureStock &s) { return s.row.symbol; });
        if (before != m_chosen.end())
            stock.months = before->months;
        chosen.push_back(std::move(stock));
    }
    m_chosen = std::move(chosen);
    return true;
}

bool FuturesBoard::add(const std::vector<std::size_t> &choices)
{
    if (choices.empty()) {
        m_messenger.inform(NothingToAdd);
        return false;
    }
    if (choices.size() + m_chosen.size() > MaxChosen) {
        m_messenger.inform(TooMany);
        return false;
    }
    bool added = false;
    for (std::size_t at : choices) {
        if (at >= m_choices.size())
            continue;
        const FutureRow &row = m_choices[at];
        if (std::ranges::any_of(m_chosen,
                                [&](const FutureStock &s) { return s.row.symbol == row.symbol; }))
            continue;
        if (const StoreStatus stored = m_selected.insert(row); !stored) {
            m_messenger.inform(stored.error());
            break;
        }
        m_chosen.push_back(FutureStock{row, {}});
        added = true;
    }
    return added;
}

bool FuturesBoard::remove(std::string_view symbol)
{
    if (const StoreStatus removed = m_selected.removeSymbol(symbol); !removed) {
        m_messenger.inform(removed.error());
        return false;
    }
    return loadChosen();
}

bool FuturesBoard::readContractPage(std::size_t stock, std::string_view page)
{
    auto months = walkContractPage(page);
    if (!months || stock >= m_chosen.size())
        return false;
    m_chosen[stock].months = std::move(*months);
    return true;
}

bool FuturesBoard::readStatsPage(std::string_view page)
{
    auto stats = walkStatsPage(page);
    if (!stats)
        return false;
    m_stats = std::move(*stats);
    return true;
}

void FuturesBoard::updateExpiryLabels()
{
    if (m_chosen.empty())
        return;
    for (std::size_t m = 0; m < m_expiryLabels.size(); ++m)
        if (auto label = expiryLabel(m_chosen.front().months[m].expiry))
            m_expiryLabels[m] = std::move(*label);
}
