#pragma once

#include "core/futures/pagewalk.h"
#include "core/store/stores.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

class Messenger;

// A chosen stock with its three contract months as last read from its page.
struct FutureStock
{
    FutureRow row;
    ContractMonths months;
};

// The futures panel's state and rules without the window: the stocks to choose from, the up
// to 25 chosen ones with their contract months, the day's trade statistics and the labels
// above the lists. Table errors are shown with the driver's text.
class FuturesBoard
{
public:
    static constexpr std::size_t MaxChoices = 300;
    static constexpr std::size_t MaxChosen = 25;
    static constexpr const char *NothingToAdd = "Select atleast ONE stock to add";
    static constexpr const char *TooMany =
        "Sorry!!!Total Stocks to watch here can't be more than 25 Stocks";
    static constexpr const char *NothingToDelete = "Select a Stock to delete";
    static constexpr const char *InitialHeading = "Trade Statisc for DD-MMM-YYYY";
    static constexpr const char *InitialExpiry = "DD-MMM-YYYY";

    FuturesBoard(FutureCatalogue &catalogue, SelectedFutureStore &selected, Messenger &messenger);

    // The first 300 stocks of the catalogue and the chosen ones; an error ends the loading.
    void load();
    // Adds the choices at these positions, in that order, skipping stocks already chosen;
    // true when any was added, and their data are wanted.
    bool add(const std::vector<std::size_t> &choices);
    // Takes the stock out of the table and reads the chosen ones again; each keeps the data
    // it had. True when the stock is gone and the data are wanted.
    bool remove(std::string_view symbol);

    // A page that cannot be read leaves what was there; false then.
    bool readContractPage(std::size_t stock, std::string_view page);
    bool readStatsPage(std::string_view page);
    // The three expiries of the first stock, as the labels over the lists show them.
    void updateExpiryLabels();

    const std::vector<FutureRow> &choices() const { return m_choices; }
    const std::vector<FutureStock> &chosen() const { return m_chosen; }
    const TradeStats &stats() const { return m_stats; }
    const std::array<std::string, 3> &expiryLabels() const { return m_expiryLabels; }

private:
    bool loadChosen();

    FutureCatalogue &m_catalogue;
    SelectedFutureStore &m_selected;
    Messenger &m_messenger;
    std::vector<FutureRow> m_choices;
    std::vector<FutureStock> m_chosen;
    TradeStats m_stats;
    std::array<std::string, 3> m_expiryLabels;
};
