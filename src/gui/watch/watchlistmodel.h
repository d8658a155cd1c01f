#pragma once

#include "core/watch/watchrow.h"
#include "gui/controls/stocklist.h"

#include <vector>

// The watch list's stocks as the list shows them: a copy taken after each refresh, so the
// view never sees the list half way through a change. Cells are formatted from the numbers
// on demand; the raw-value role gives the numbers themselves.
class WatchListModel : public StockListModel
{
    Q_OBJECT
public:
    using StockListModel::StockListModel;

    // Same stocks in the same order: the cells change in place and the selection stays.
    // Anything else resets the list.
    void setRows(const std::vector<WatchedStock> &stocks, const WatchSwitches &switches);
    const WatchedStock &stock(int r) const { return m_stocks[static_cast<std::size_t>(r)]; }
    const std::vector<WatchedStock> &stocks() const { return m_stocks; }

    int stockCount() const override { return static_cast<int>(m_stocks.size()); }
    int columns() const override { return watchcol::Count; }
    std::string header(int column) const override
    {
        return watchcol::headers()[static_cast<std::size_t>(column)];
    }
    std::string text(int r, int column) const override { return watchCellText(stock(r), column); }
    Colours colours(int r, int column) const override;
    Qt::Alignment alignment(int column) const override;
    std::string toolTip(int r) const override { return quoteOriginTip(stock(r).quote.origin); }

private:
    std::vector<WatchedStock> m_stocks;
    WatchSwitches m_switches;
};
