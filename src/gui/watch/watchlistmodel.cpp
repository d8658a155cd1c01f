#include "gui/watch/watchlistmodel.h"

#include <algorithm>

void WatchListModel::setRows(const std::vector<WatchedStock> &stocks, const WatchSwitches &switches)
{
    const bool sameStocks =
        std::equal(stocks.begin(), stocks.end(), m_stocks.begin(), m_stocks.end(),
                   [](const auto &a, const auto &b) { return a.entry.symbol == b.entry.symbol; });
    if (!sameStocks) {
        beginResetModel();
        m_stocks = stocks;
        m_switches = switches;
        endResetModel();
        return;
    }
    m_stocks = stocks;
    m_switches = switches;
    if (!m_stocks.empty())
        emit dataChanged(index(0, 0), index(stockCount() - 1, columns() - 1));
}

StockListModel::Colours WatchListModel::colours(int r, int column) const
{
    const CellColours c = watchCellColours(stock(r), column, m_switches);
    // A close or delayed figure is in italics; N/A is no figure and stays upright.
    const QuoteRecord &q = stock(r).quote;
    return {c.background, c.text,
            !watchcol::isText(column) && isNotLive(q.origin) && q.has(watchCellFields(column))};
}

Qt::Alignment WatchListModel::alignment(int column) const
{
    return watchcol::alignedLeft(column) ? Qt::AlignLeft : Qt::AlignRight;
}
