#include "gui/futures/futurelistmodels.h"

#include "core/futures/futuresboard.h"

ContractListModel::ContractListModel(const FuturesBoard &board, int month, QObject *parent)
    : StockListModel(parent), m_board(board), m_month(month)
{
}

const std::vector<int> &ContractListModel::widths()
{
    static const std::vector<int> w{100, 0, 60, 60, 60, 60, 60, 73, 75};
    return w;
}

int ContractListModel::stockCount() const
{
    return static_cast<int>(m_board.chosen().size());
}

std::string ContractListModel::header(int column) const
{
    static const char *const headers[] = {"Stock Name", "Symbol",       "Hi Price",
                                          "Lo Price",   "Prev Clse",    "Last Price",
                                          "Contracts",  "Trnovr(Lakh)", "Underlying V"};
    return headers[column];
}

std::string ContractListModel::text(int row, int column) const
{
    const FutureStock &stock = m_board.chosen()[static_cast<std::size_t>(row)];
    if (column == 0)
        return stock.row.underlying;
    if (column == 1)
        return stock.row.symbol;
    return stock.months[static_cast<std::size_t>(m_month)]
        .values[static_cast<std::size_t>(column - 2)];
}

Qt::Alignment ContractListModel::alignment(int column) const
{
    return column == 0 ? Qt::AlignLeft : Qt::AlignRight;
}

TradeStatsModel::TradeStatsModel(const FuturesBoard &board, QObject *parent)
    : StockListModel(parent), m_board(board)
{
}

const std::vector<int> &TradeStatsModel::widths()
{
    static const std::vector<int> w{105, 80, 89};
    return w;
}

std::string TradeStatsModel::header(int column) const
{
    static const char *const headers[] = {"Product", "Tot. Contracts", "Turnover(Rs Cr)"};
    return headers[column];
}

std::string TradeStatsModel::text(int row, int column) const
{
    const TradeStatRow &r = m_board.stats().rows[static_cast<std::size_t>(row)];
    return column == 0 ? r.product : column == 1 ? r.contracts : r.turnover;
}

Qt::Alignment TradeStatsModel::alignment(int column) const
{
    return column == 0 ? Qt::AlignLeft : Qt::AlignRight;
}
