#pragma once

#include "core/watch/watchrow.h"
#include "gui/controls/stocklist.h"

#include <vector>

// The watch list's rows as the list shows them: a copy taken after each refresh, so the
// view never sees the list half way through a change.
class WatchListModel : public StockListModel
{
    Q_OBJECT
public:
    using StockListModel::StockListModel;

    // Same stocks in the same order: the cells change in place and the selection stays.
    // Anything else resets the list.
    void setRows(const std::vector<WatchListRow> &rows, const WatchSwitches &switches);
    const WatchListRow &row(int r) const { return m_rows[static_cast<std::size_t>(r)]; }
    const std::vector<WatchListRow> &rows() const { return m_rows; }

    int stockCount() const override { return static_cast<int>(m_rows.size()); }
    int columns() const override { return watchcol::Count; }
    std::string header(int column) const override
    {
        return watchcol::headers()[static_cast<std::size_t>(column)];
    }
    std::string text(int r, int column) const override { return row(r).cell(column); }
    Colours colours(int r, int column) const override;
    Qt::Alignment alignment(int column) const override;

private:
    std::vector<WatchListRow> m_rows;
    WatchSwitches m_switches;
};
