#pragma once

#include "companylist.h"
#include "instrument.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Every symbol the simulated market quotes: the fixed indices, currency and receipts, and
// each listed company as "<NSE symbol>.NS" and "<BSE code>.BO". Built once at start and
// read-only afterwards, so it is shared by all request threads without locking.
class Universe
{
public:
    Universe();
    void addCompanies(const std::vector<ListedCompany> &rows);

    // Blanks around the symbol and letter case do not matter ("^FTSE " is "^FTSE").
    const Instrument *find(std::string_view symbol) const;
    const std::vector<Instrument> &instruments() const { return m_instruments; }
    std::size_t indexOf(const Instrument &instrument) const
    {
        return static_cast<std::size_t>(&instrument - m_instruments.data());
    }

private:
    void add(Instrument instrument);

    std::vector<Instrument> m_instruments;
    std::unordered_map<std::string, std::size_t> m_bySymbol;
};
