#pragma once

#include "core/portfolio/holdingrow.h"
#include "gui/controls/stocklist.h"

#include <vector>

// One holding list as the panel shows it: a copy of the rows of the last refresh, formatted
// on demand. The raw-value role gives the numbers.
class HoldingListModel : public StockListModel
{
    Q_OBJECT
public:
    using StockListModel::StockListModel;

    // Same stocks in the same order: the cells change in place and the selection stays.
    void setRows(const std::vector<HoldingRow> &rows);
    const HoldingRow &row(int r) const { return m_rows[static_cast<std::size_t>(r)]; }

    int stockCount() const override { return static_cast<int>(m_rows.size()); }
    int columns() const override;
    std::string header(int column) const override;
    std::string text(int r, int column) const override;
    Colours colours(int r, int column) const override;
    Qt::Alignment alignment(int column) const override;
    std::string toolTip(int r) const override { return quoteOriginTip(row(r).origin); }

private:
    std::vector<HoldingRow> m_rows;
};
