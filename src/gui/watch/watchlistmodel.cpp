#include "gui/watch/watchlistmodel.h"

#include <algorithm>

void WatchListModel::setRows(const std::vector<WatchListRow> &rows, const WatchSwitches &switches)
{
    const bool sameStocks = std::equal(
        rows.begin(), rows.end(), m_rows.begin(), m_rows.end(),
        [](const WatchListRow &a, const WatchListRow &b) { return a.symbol == b.symbol; });
    if (!sameStocks) {
        beginResetModel();
        m_rows = rows;
        m_switches = switches;
        endResetModel();
        return;
    }
    m_rows = rows;
    m_switches = switches;
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(stockCount() - 1, columns() - 1));
}

StockListModel::Colours WatchListModel::colours(int r, int column) const
{
    const CellColours c = watchCellColours(row(r), column, m_switches);
    return {c.background, c.text};
}

Qt::Alignment WatchListModel::alignment(int column) const
{
    return watchcol::alignedLeft(column) ? Qt::AlignLeft : Qt::AlignRight;
}
