#pragma once

#include "core/market/indextables.h"
#include "core/shell/quotegroup.h"

#include "core/common/rgb.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// One row of the indices and world lists: the nine fields the list shows.
struct IndexRow
{
    std::string name;
    std::string symbol;
    double price = 0;
    std::string date;
    float change = 0;
    float percent = 0;
    double open = 0;
    double high = 0;
    double low = 0;
    std::uint16_t missing = 0; // the quote's fields that were N/A (quotefield bits)
};

// The quotes of a fixed set of indices, in table order: the indices panel (6 + 16) and the
// world panel (15 + 11). The records start cleared and are overwritten by every refresh.
class IndexQuotes : public QuoteGroup
{
public:
    IndexQuotes(std::vector<NamedSymbol> upper, std::vector<NamedSymbol> lower);

    std::vector<std::string> quoteSymbols() const override;
    QuoteRecord *quoteTarget(std::size_t index, const std::string &symbol) override;
    void quotesArrived() override;

    std::size_t upperCount() const { return m_upper.size(); }
    std::vector<IndexRow> upperRows() const { return rows(m_upper, 0); }
    std::vector<IndexRow> lowerRows() const { return rows(m_lower, m_upper.size()); }
    const QuoteRecord &record(std::size_t i) const { return m_records[i]; }

    void setOnArrived(std::function<void()> f) { m_onArrived = std::move(f); }

private:
    std::vector<IndexRow> rows(const std::vector<NamedSymbol> &table, std::size_t first) const;

    std::vector<NamedSymbol> m_upper;
    std::vector<NamedSymbol> m_lower;
    std::vector<QuoteRecord> m_records;
    std::function<void()> m_onArrived;
};

// How the two lists show a row. The world panel shows a percent change outside -100..100 as
// "0.00" (a previous close near zero); the indices panel shows it as it is.
struct IndexColumns
{
    static constexpr int Count = 9;
    static const std::array<std::string, Count> &headers();
    static const std::array<int, Count> &widths();
    static std::string text(const IndexRow &row, int column, bool clampPercent);
    // "CP", "Chg" and "%Ch" by the sign of the change read back from the "Chg" text.
    static Rgb textColour(int column, double change);
};
