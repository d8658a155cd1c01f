#pragma once

#include "core/portfolio/holdingrow.h"

#include <QWidget>

#include <array>

class ColourLabel;
class HoldingListModel;
class Messenger;
class StockListView;

// One list of the portfolio panel: its banner with Add, Edit, Delete and Sell, the list of holdings
// and the three totals under it in their frames. The panel decides what the buttons do.
class HoldingSection : public QWidget
{
    Q_OBJECT
public:
    HoldingSection(Messenger &messenger, TradeKind kind, int visibleRows, QWidget *parent);

    void display(const HoldingList &list);
    // The selected stock, or null.
    const HoldingRow *selected() const;

    TradeKind kind() const { return m_kind; }
    StockListView *view() const { return m_view; }
    HoldingListModel *model() const { return m_model; }
    ColourLabel *total(int which) const { return m_totals[static_cast<std::size_t>(which)]; }

signals:
    void addPressed();
    void editPressed();
    void deletePressed();
    void sellPressed();
    void rowActivated(int row);

private:
    TradeKind m_kind;
    StockListView *m_view = nullptr;
    HoldingListModel *m_model = nullptr;
    std::array<ColourLabel *, 3> m_totals{};
};
