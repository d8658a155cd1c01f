#pragma once

#include "core/common/rgb.h"
#include "core/shell/quotegroup.h"

#include <array>
#include <string>
#include <vector>

// The main bar's own quotes: NIFTY, SENSEX and the US dollar, first in every request, and
// the two-row index list built from them after each complete refresh.
class IndexBoard : public QuoteGroup
{
public:
    enum Slot { Nifty = 0, Sensex = 1, Dollar = 2 };
    static constexpr int ColumnCount = 9;

    IndexBoard();

    std::vector<std::string> quoteSymbols() const override;
    QuoteRecord *quoteTarget(std::size_t index, const std::string &symbol) override;
    void quotesArrived() override {}

    const QuoteRecord &slot(Slot s) const { return m_slots[s]; }
    // True when NIFTY and SENSEX both came with a price in the latest reply.
    bool indicesPriced() const { return m_slots[Nifty].last > 0 && m_slots[Sensex].last > 0; }
    // The index's price at the refresh before the latest one, until updateRows() moves on;
    // 0 before the second refresh. The data files stamp their index bars with it.
    double previousPrice(Slot s) const
    {
        return s == Nifty ? m_previousNifty : s == Sensex ? m_previousSensex : 0;
    }

    // Rebuilds the index rows from the slots, then keeps the current prices as the previous
    // ones for the next cycle.
    void updateRows();
    void clearRows() { m_rows.clear(); }
    const std::vector<QuoteRecord> &rows() const { return m_rows; }

    // The symbol a row's chart opens: NIFTY for row 0, SENSEX for any other.
    static std::string chartSymbol(int row) { return row == 0 ? "^NSEI" : "^BSESN"; }

    static const std::array<std::string, ColumnCount> &headers();
    static const std::array<int, ColumnCount> &columnWidths();
    static std::string cellText(const QuoteRecord &row, int column);

private:
    std::array<QuoteRecord, 3> m_slots;
    std::vector<QuoteRecord> m_rows;
    double m_previousNifty = 0;
    double m_previousSensex = 0;
};

struct CellColours
{
    Rgb background;
    Rgb text;
};

// Colours of one index list cell, judged on Curr.Price, PrevPrice and Chng as the list shows
// them (two decimals), so a colour never disagrees with the figures beside it.
CellColours indexCellColours(int column, const QuoteRecord &row);
