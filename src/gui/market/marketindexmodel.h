#pragma once

#include "core/market/indexboardlist.h"
#include "gui/controls/stocklist.h"

#include <vector>

// The list class the indices and world panels share: nine columns, the symbol hidden, and
// "CP", "Chg" and "%Ch" coloured by the sign of the change.
class MarketIndexModel : public StockListModel
{
    Q_OBJECT
public:
    MarketIndexModel(bool clampPercent, QObject *parent = nullptr)
        : StockListModel(parent), m_clampPercent(clampPercent)
    {
    }

    void setRows(std::vector<IndexRow> rows)
    {
        m_rows = std::move(rows);
        reload();
    }
    const IndexRow &row(int r) const { return m_rows[static_cast<std::size_t>(r)]; }

    int stockCount() const override { return static_cast<int>(m_rows.size()); }
    int columns() const override { return IndexColumns::Count; }
    std::string header(int column) const override { return IndexColumns::headers()[column]; }
    std::string text(int r, int column) const override
    {
        return IndexColumns::text(row(r), column, m_clampPercent);
    }
    Colours colours(int r, int column) const override
    {
        return {colours::White, IndexColumns::textColour(column, row(r).change)};
    }
    Qt::Alignment alignment(int column) const override
    {
        return column == 0 ? Qt::AlignLeft : Qt::AlignRight;
    }

private:
    bool m_clampPercent;
    std::vector<IndexRow> m_rows;
};
