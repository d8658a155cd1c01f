#pragma once

#include "core/market/indexboardlist.h"
#include "gui/shell/dockedpanel.h"

class ColorButton;
class MarketIndexModel;
class StockListView;
class QVBoxLayout;

// What the indices and world panels have in common: a title banner with "X", two captioned
// lists of fixed indices fed by the main refresh, and a double click that opens a chart.
class IndexPanelBase : public DockedPanel
{
    Q_OBJECT
public:
    IndexPanelBase(AppContext &context, QWidget *bar, int heightDlu, const QString &title,
                   const char *closeName, std::vector<NamedSymbol> upper,
                   std::vector<NamedSymbol> lower, bool clampPercent);
    ~IndexPanelBase() override;

    IndexQuotes &quotes() { return m_quotes; }
    StockListView *upperList() const { return m_upperList; }
    StockListView *lowerList() const { return m_lowerList; }

    virtual void redisplay();

protected:
    QVBoxLayout *layout() const { return m_layout; }
    void addList(const QString &caption, StockListView *&list, MarketIndexModel *&model, int rows,
                 const char *objectName);
    void attachTo(int slot);

private:
    void openChart(const MarketIndexModel *model, int row);

    IndexQuotes m_quotes;
    bool m_clampPercent;
    QVBoxLayout *m_layout = nullptr;
    StockListView *m_upperList = nullptr;
    StockListView *m_lowerList = nullptr;
    MarketIndexModel *m_upperModel = nullptr;
    MarketIndexModel *m_lowerModel = nullptr;
    int m_slot = -1;
};
