#include "gui/shell/program.h"

#include "core/chartlink/feedtext.h"
#include "gui/chartlink/chartlinkdialog.h"
#include "gui/charts/historicalchartpanel.h"
#include "gui/charts/livechartwindow.h"
#include "gui/futures/futurespanel.h"
#include "gui/market/indicespanel.h"
#include "gui/market/worldpanel.h"
#include "gui/portfolio/portfoliopanel.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/mainbar.h"
#include "gui/shell/panelhost.h"
#include "gui/shell/usernotices.h"
#include "gui/store/searchcompanydialog.h"
#include "gui/ticker/tickerbar.h"
#include "gui/toppers/topperspanel.h"
#include "gui/watch/watchlistpanel.h"
#include "platform/chartlink/chartfeed.h"
#include "platform/shell/usersettings.h"
#include "platform/store/storeconfig.h"

Program::Program(AppContext &context) : m_bar(std::make_unique<MainBar>(context))
{
    MainBar *bar = m_bar.get();
    m_panels = new PanelHost(*bar);
    m_panels->setFactory(
        PanelKind::Futures, [](AppContext &ctx, MainBar &b) { return new FuturesPanel(ctx, &b); },
        false);
    m_panels->setFactory(
        PanelKind::World,
        [](AppContext &ctx, MainBar &b) {
            return new WorldPanel(ctx, &b, [&b]() -> std::optional<double> {
                const QuoteRecord &dollar = b.board().slot(IndexBoard::Dollar);
                if (!dollar.hasPrice())
                    return std::nullopt;
                return dollar.last;
            });
        },
        true);
    m_panels->setFactory(
        PanelKind::Indices, [](AppContext &ctx, MainBar &b) { return new IndicesPanel(ctx, &b); },
        true);
    m_panels->setFactory(
        PanelKind::Profile, [](AppContext &ctx, MainBar &b) { return new PortfolioPanel(ctx, &b); },
        true);
    // The toppers fetch nothing until asked; their adds go through the watch list.
    m_panels->setFactory(
        PanelKind::Toppers,
        [this](AppContext &ctx, MainBar &b) { return new ToppersPanel(ctx, &b, m_watchList); },
        false);

    // The index list hands its row's price where a stock list would hand the exchange: the
    // chart then asks for the index symbol as it is.
    QObject::connect(bar, &MainBar::chartRequested, bar,
                     [bar](const QString &name, const QString &price, const QString &symbol) {
                         openHistoricalChart(bar->context(), bar, name, price, symbol);
                     });
    // Every press makes another live chart; none is tracked.
    QObject::connect(m_panels, &PanelHost::liveChartWanted, bar,
                     [bar] { (new LiveChartWindow(bar->context(), bar))->show(); });
    QObject::connect(bar, &MainBar::panelButton, bar, [this](PanelButton pressed) {
        if (pressed == PanelButton::Ticker)
            openTicker();
    });
}

TickerBar *Program::ticker() const
{
    return m_ticker;
}

void Program::openTicker()
{
    m_bar->hideToTray();
    if (m_ticker || !m_watchList)
        return;
    m_ticker = new TickerBar(m_bar->context(), m_bar->board(), m_watchList->list(), m_bar.get());
    QObject::connect(m_ticker, &TickerBar::mainBarWanted, m_bar.get(), [this] {
        m_bar->showFromTray();
        m_ticker->close();
    });
    m_ticker->show();
}

Program::~Program() = default;

void Program::start()
{
    m_bar->startUp();
    // The watch list exists from here to the end of the run, hidden until its button shows
    // it; the first refresh, already posted, carries its symbols.
    AppContext &context = m_bar->context();
    // Never the file system's root: a run that named no data folder gets the default one.
    if (context.dataRoot.isEmpty())
        context.dataRoot = resolveDataRoot(QString());
    m_watchList = new WatchListPanel(context, *m_bar);
    m_panels->adopt(PanelKind::WatchList, m_watchList);
    // "Add" searches the company list; what is picked there, or newly listed, joins the list.
    WatchListPanel *watchList = m_watchList;
    m_watchList->setCompanyChooser([&context, watchList](QWidget *parent) {
        SearchCompanyDialog::ask(context, *watchList, parent);
    });
    m_panels->setLiveChartSwitches([panel = QPointer<WatchListPanel>(m_watchList)] {
        return panel && panel->liveChartSwitchesOn();
    });
    // With no tray to carry them, alerts and label changes go out as desktop notifications.
    auto *notices = new UserNotices(*m_bar);
    m_bar->setNotices(notices);
    QObject::connect(notices, &UserNotices::watchListWanted, m_bar.get(),
                     [this] { showWatchList(); });
    startChartLink();
    // The panel that was open when the bar last closed opens again.
    if (context.settings)
        if (const auto kind = PanelHost::kindNamed(context.settings->openPanel()))
            m_panels->press(*kind);
}

void Program::bringForward()
{
    QWidget *front = m_ticker ? static_cast<QWidget *>(m_ticker.data()) : m_bar.get();
    if (front == m_bar.get() && m_bar->hiddenInTray())
        m_bar->showFromTray();
    front->show();
    front->raise();
    front->activateWindow();
}

void Program::showWatchList()
{
    if (m_ticker)
        m_ticker->mainBarWanted();
    bringForward();
    if (!m_panels->visibleFlag(PanelKind::WatchList))
        m_panels->press(PanelKind::WatchList);
}

void Program::startChartLink()
{
    MainBar *bar = m_bar.get();
    AppContext &context = bar->context();
    WatchListPanel *watchList = m_watchList;
    m_chartFeed = new ChartFeed(context.bridgeService, context.messenger, bar);
    m_chartLink = new ChartLinkDialog(context, *bar, *m_chartFeed,
                                      [watchList] { return watchList->list().stocks(); });
    QObject::connect(bar, &MainBar::panelButton, m_chartLink, [this](PanelButton pressed) {
        if (pressed == PanelButton::ChartLink)
            m_chartLink->run();
    });
    ChartFeed *feed = m_chartFeed;
    m_watchList->setFeedingCheck([feed] { return feed->feeding(); });
    QObject::connect(m_watchList, &WatchListPanel::refreshed, m_chartFeed, [this, bar, &context] {
        if (m_chartFeed->feedsAt(context.clock.now()))
            m_chartFeed->cycle(chartlink::feedText(bar->board(), m_watchList->list().stocks()));
    });
}
