#include "gui/portfolio/holdinglistmodel.h"

#include "core/portfolio/holdingcells.h"

#include <algorithm>

void HoldingListModel::setRows(const std::vector<HoldingRow> &rows)
{
    const bool sameStocks =
        std::equal(rows.begin(), rows.end(), m_rows.begin(), m_rows.end(),
                   [](const auto &a, const auto &b) { return a.symbol == b.symbol; });
    if (!sameStocks) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
        return;
    }
    m_rows = rows;
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(stockCount() - 1, columns() - 1));
}

int HoldingListModel::columns() const
{
    return holdingcol::Count;
}

std::string HoldingListModel::header(int column) const
{
    return holdingcol::headers()[static_cast<std::size_t>(column)];
}

std::string HoldingListModel::text(int r, int column) const
{
    return holdingCellText(row(r), column);
}

StockListModel::Colours HoldingListModel::colours(int r, int column) const
{
    return {colours::White, holdingCellColour(row(r), column),
            holdingcol::followsPrice(column) && isNotLive(row(r).origin)};
}

Qt::Alignment HoldingListModel::alignment(int column) const
{
    return column == holdingcol::Name ? Qt::AlignLeft : Qt::AlignRight;
}
