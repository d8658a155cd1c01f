#include "universe.h"

#include "fixedsymbols.h"
#include "noise.h"

#include <cctype>
#include <cmath>

namespace {
std::string normalised(std::string_view symbol)
{
    while (!symbol.empty() && std::isspace(static_cast<unsigned char>(symbol.front())))
        symbol.remove_prefix(1);
    while (!symbol.empty() && std::isspace(static_cast<unsigned char>(symbol.back())))
        symbol.remove_suffix(1);
    std::string out(symbol);
    for (char &c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

double logUniform(double u, double low, double high)
{
    return std::exp(std::log(low) + u * (std::log(high) - std::log(low)));
}

// A listed stock's character comes from a hash of its company's key, so both listings of a
// company, and every run, agree on it.
// One company in every few hundred of the list, the same ones whatever the seed.
Oddity oddityAt(std::size_t row)
{
    switch (row % 700) {
    case 100:
        return Oddity::Dear;
    case 300:
        return Oddity::Soaring;
    case 500:
        return Oddity::Heavy;
    default:
        return Oddity::None;
    }
}

Instrument makeStock(const ListedCompany &row, bool onNse, Oddity oddity)
{
    const std::string &companyKey = row.nseSymbol.empty() ? row.bseSymbol : row.nseSymbol;
    const std::uint64_t h = noise::hashText(companyKey);
    Instrument s;
    s.symbol = onNse ? row.nseSymbol + ".NS" : row.bseSymbol + ".BO";
    s.name = row.name;
    s.exchange = onNse ? "NSE" : "BSE";
    s.kind = InstrumentKind::Stock;
    // Skewed towards low prices: most shares cost tens or hundreds of rupees, a few thousands.
    s.level = logUniform(std::pow(noise::uniform(noise::combine(h, 1)), 1.3), 12, 6000);
    s.dailyVolatility = 0.011 + 0.018 * noise::uniform(noise::combine(h, 2));
    s.marketWeight = 0.25 + 0.45 * noise::uniform(noise::combine(h, 3));
    s.tick = 0.05;
    s.dailyVolume = logUniform(noise::uniform(noise::combine(h, 4)), 2e3, 2e7) * (onNse ? 1 : 0.12);
    s.walkKey = noise::hashText("company:" + companyKey);
    s.secondListing = !onNse;
    s.oddity = oddity;
    // The walk keeps within a fifth or so of its level: a dear stock never comes near 20000.
    if (oddity == Oddity::Dear)
        s.level = 30000 + 40000 * noise::uniform(noise::combine(h, 5));
    return s;
}
} // namespace

Universe::Universe()
{
    for (const FixedSymbol &f : fixedSymbols()) {
        Instrument i;
        i.symbol = f.symbol;
        i.name = f.name;
        i.kind = f.kind;
        i.level = f.level;
        i.dailyVolatility = f.dailyVolatility;
        i.marketWeight = f.marketWeight;
        i.tick = 0.01;
        i.dailyVolume = f.kind == InstrumentKind::Adr
                            ? logUniform(noise::uniform(noise::hashText(f.symbol)), 2e5, 8e6)
                            : 0;
        i.walkKey = noise::hashText(f.symbol);
        add(std::move(i));
    }
}

void Universe::addCompanies(const std::vector<ListedCompany> &rows)
{
    m_instruments.reserve(m_instruments.size() + 2 * rows.size());
    m_bySymbol.reserve(m_instruments.capacity());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ListedCompany &row = rows[i];
        if (!row.nseSymbol.empty())
            add(makeStock(row, true, oddityAt(i)));
        if (!row.bseSymbol.empty())
            add(makeStock(row, false, oddityAt(i)));
    }
}

const Instrument *Universe::find(std::string_view symbol) const
{
    const auto it = m_bySymbol.find(normalised(symbol));
    return it == m_bySymbol.end() ? nullptr : &m_instruments[it->second];
}

void Universe::add(Instrument instrument)
{
    const auto [it, fresh] =
        m_bySymbol.try_emplace(normalised(instrument.symbol), m_instruments.size());
    if (fresh)
        m_instruments.push_back(std::move(instrument));
}
