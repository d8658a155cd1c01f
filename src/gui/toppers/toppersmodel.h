#pragma once

#include "core/toppers/toppersrow.h"
#include "gui/controls/stocklist.h"

#include <vector>

// The toppers list: rows of numbers, each cell formatted when the view paints it.
class ToppersModel : public StockListModel
{
    Q_OBJECT
public:
    using StockListModel::StockListModel;

    void setRows(std::vector<ToppersRow> rows)
    {
        m_rows = std::move(rows);
        reload();
    }
    // A heading click; columns without a sort order leave the list alone.
    void sortBy(int column)
    {
        if (sortToppers(m_rows, column))
            reload();
    }
    const std::vector<ToppersRow> &rows() const { return m_rows; }
    const ToppersRow &row(int r) const { return m_rows[static_cast<std::size_t>(r)]; }

    int stockCount() const override { return static_cast<int>(m_rows.size()); }
    int columns() const override { return topperscol::Count; }
    std::string header(int column) const override
    {
        return topperscol::headers()[static_cast<std::size_t>(column)];
    }
    std::string text(int r, int column) const override { return toppersCellText(row(r), column); }
    Colours colours(int r, int column) const override
    {
        const ToppersColours c = toppersCellColours(row(r), column);
        return {c.background, c.text, !topperscol::alignedLeft(column) && isNotLive(row(r).origin)};
    }
    Qt::Alignment alignment(int column) const override
    {
        return topperscol::alignedLeft(column) ? Qt::AlignLeft : Qt::AlignRight;
    }

private:
    std::vector<ToppersRow> m_rows;
};
