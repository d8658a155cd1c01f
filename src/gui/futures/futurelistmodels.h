#pragma once

#include "gui/controls/stocklist.h"

#include <vector>

class FuturesBoard;

// One contract month of every chosen stock, a row per stock, straight from the board: the
// page's texts as they were read. The raw-value role gives the numbers of the value columns.
class ContractListModel : public StockListModel
{
    Q_OBJECT
public:
    ContractListModel(const FuturesBoard &board, int month, QObject *parent = nullptr);

    static const std::vector<int> &widths();

    int stockCount() const override;
    int columns() const override { return 9; }
    std::string header(int column) const override;
    std::string text(int row, int column) const override;
    Colours colours(int, int) const override { return {}; }
    Qt::Alignment alignment(int column) const override;

private:
    const FuturesBoard &m_board;
    int m_month;
};

// The day's trade statistics: index futures and stock futures.
class TradeStatsModel : public StockListModel
{
    Q_OBJECT
public:
    explicit TradeStatsModel(const FuturesBoard &board, QObject *parent = nullptr);

    static const std::vector<int> &widths();

    int stockCount() const override { return 2; }
    int columns() const override { return 3; }
    std::string header(int column) const override;
    std::string text(int row, int column) const override;
    Colours colours(int, int) const override { return {}; }
    Qt::Alignment alignment(int column) const override;

private:
    const FuturesBoard &m_board;
};
