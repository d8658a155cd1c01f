#include "gui/market/indicespanel.h"

#include "gui/market/marketindexmodel.h"
#include "gui/shell/appcontext.h"

#include <QVBoxLayout>

IndicesPanel::IndicesPanel(AppContext &context, QWidget *bar)
    : IndexPanelBase(context, bar, 280, QStringLiteral("Indian Market Indices"), "close",
                     std::vector<NamedSymbol>(indextables::Nse.begin(), indextables::Nse.end()),
                     std::vector<NamedSymbol>(indextables::Bse.begin(), indextables::Bse.end()),
                     false)
{
    setObjectName(QStringLiteral("indicesPanel"));
    StockListView *list = nullptr;
    MarketIndexModel *model = nullptr;
    addList(QStringLiteral("CNX Segment Indices"), list, model, 6, "nseIndices");
    addList(QStringLiteral("BSE Indices"), list, model, 16, "bseIndices");
    fitHeightToContents();
    attachTo(static_cast<int>(GroupSlot::Indices));
    redisplay();
}
