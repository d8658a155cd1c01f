#include "gui/shell/program.h"

#include "gui/charts/historicalchartpanel.h"
#include "gui/market/indicespanel.h"
#include "gui/market/worldpanel.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/mainbar.h"
#include "gui/shell/panelhost.h"

Program::Program(AppContext &context) : m_bar(std::make_unique<MainBar>(context))
{
    MainBar *bar = m_bar.get();
    m_panels = new PanelHost(*bar);
    m_panels->setFactory(
        PanelKind::World,
        [](AppContext &ctx, MainBar &b) {
            return new WorldPanel(ctx, &b, [&b] { return b.board().slot(IndexBoard::Dollar).last; });
        },
        true);
    m_panels->setFactory(
        PanelKind::Indices, [](AppContext &ctx, MainBar &b) { return new IndicesPanel(ctx, &b); }, true);

    // The index list hands its row's price where a stock list would hand the exchange: the
    // chart then asks for the index symbol as it is.
    QObject::connect(bar, &MainBar::chartRequested, bar,
                     [bar](const QString &name, const QString &price, const QString &symbol) {
                         openHistoricalChart(bar->context(), bar, name, price, symbol);
                     });
}

Program::~Program() = default;

void Program::start(bool splash)
{
    m_bar->startUp(splash);
}
