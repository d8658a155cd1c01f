#pragma once

#include "core/shell/indexboard.h"
#include "gui/controls/stocklist.h"

// The main bar's two-row list of NIFTY and SENSEX.
class IndexListModel : public StockListModel
{
    Q_OBJECT
public:
    explicit IndexListModel(const IndexBoard &board, QObject *parent = nullptr)
        : StockListModel(parent), m_board(board)
    {
    }

    int stockCount() const override { return static_cast<int>(m_board.rows().size()); }
    int columns() const override { return IndexBoard::ColumnCount; }
    std::string header(int column) const override { return IndexBoard::headers()[column]; }
    std::string text(int row, int column) const override
    {
        return IndexBoard::cellText(m_board.rows()[row], column);
    }
    Colours colours(int row, int column) const override
    {
        const CellColours c = indexCellColours(column, m_board.rows()[row]);
        return {c.background, c.text};
    }

private:
    const IndexBoard &m_board;
};
