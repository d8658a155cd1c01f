#include "gui/watch/watchlistpanel.h"

#include "core/net/displayformat.h"
#include "core/watch/watchexport.h"
#include "gui/charts/historicalchartpanel.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/exportnamedialog.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/mainbar.h"
#include "gui/shell/timerpause.h"
#include "gui/shell/usernotices.h"
#include "gui/watch/alerthelpdialog.h"
#include "gui/watch/alertlimitsdialog.h"
#include "gui/watch/watchlistmodel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVBoxLayout>

#include <set>

namespace {
constexpr int VisibleRows = 16;
} // namespace

WatchListPanel::WatchListPanel(AppContext &context, MainBar &bar)
    : DockedPanel(context, &bar, 250), m_bar(bar),
      m_logger(*context.files, context.clock, context.dataRoot.toStdString()),
      m_list(context.database.watchList(), context.messenger)
{
    setObjectName(QStringLiteral("watchListPanel"));
    buildControls();
    fitHeightToContents();
    m_logger.makeFolders();
    m_list.load();
    m_list.setOnArrived([this] { refresh(); });
    context.registry.attach(GroupSlot::WatchList, &m_list);
    refresh();
}

WatchListPanel::~WatchListPanel()
{
    context().registry.detach(GroupSlot::WatchList, &m_list);
}

void WatchListPanel::buildControls()
{
    QVBoxLayout *layout = titledLayout(
        QStringLiteral("My Watch List"),
        {addButton(QStringLiteral("X"), "closePanel", 14, &WatchListPanel::pressClose)});

    m_model = new WatchListModel(this);
    m_view = new StockListView(context().messenger, client());
    m_view->setObjectName(QStringLiteral("watchList"));
    m_view->setToolTip(QStringLiteral("Double Click Stocks to see their Historical Chart"));
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    const auto &widths = watchcol::widths();
    m_view->setStockModel(m_model, std::vector<int>(widths.begin(), widths.end()));
    m_view->setFillWidth(true);
    m_view->setFixedHeight(m_view->horizontalHeader()->height() +
                           VisibleRows * m_view->verticalHeader()->defaultSectionSize() + 4);
    m_view->horizontalHeader()->setSectionsClickable(true);
    connect(m_view->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &WatchListPanel::sortBy);
    // The panel answers the double click itself: a row without a symbol opens nothing, even
    // when offline.
    m_view->setConnectedCheck(nullptr);
    connect(m_view, &StockListView::rowActivated, this, &WatchListPanel::openChart);
    layout->addWidget(m_view);

    const WatchSwitches initial;
    auto *alerts = new QHBoxLayout;
    m_alertsPopUp = addSwitch(QStringLiteral("Alerts as Pop-Up Msg"), "alertsPopUp",
                              initial.alertsPopUp, false);
    m_myConfigured =
        addSwitch(QStringLiteral("My Configured"), "myConfigured", initial.myConfigured, true);
    m_dayHighLow =
        addSwitch(QStringLiteral("DAY High/Low"), "dayHighLow", initial.dayHighLow, true);
    m_yearHighLow =
        addSwitch(QStringLiteral("YEAR Hi/Lo"), "yearHighLow", initial.yearHighLow, true);
    for (QCheckBox *box : {m_alertsPopUp, m_myConfigured, m_dayHighLow, m_yearHighLow})
        alerts->addWidget(box);
    alerts->addStretch(1);
    alerts->addWidget(addButton(QStringLiteral("?"), "alertHelp", 14, &WatchListPanel::pressHelp));
    layout->addLayout(alerts);

    auto *actions = new QHBoxLayout;
    m_intraday = addSwitch(QStringLiteral("Intraday"), "intraday", initial.intraday, false);
    m_liveData = addSwitch(QStringLiteral("LiveData"), "liveData", initial.liveData, false);
    actions->addWidget(m_intraday);
    actions->addWidget(m_liveData);
    actions->addStretch(1);
    actions->addWidget(addButton(QStringLiteral("Add"), "addStock", 40, &WatchListPanel::pressAdd));
    actions->addWidget(
        addButton(QStringLiteral("Delete"), "deleteStocks", 40, &WatchListPanel::pressDelete));
    actions->addWidget(
        addButton(QStringLiteral("Set ALERT"), "setAlert", 48, &WatchListPanel::pressSetAlert));
    actions->addWidget(addButton(QStringLiteral("Export to CSV"), "exportToCsv", 56,
                                 &WatchListPanel::pressExport));
    layout->addLayout(actions);
}

QCheckBox *WatchListPanel::addSwitch(const QString &text, const char *name, bool on, bool refreshes)
{
    auto *box = new QCheckBox(text, client());
    box->setObjectName(QLatin1String(name));
    box->setChecked(on);
    connect(box, &QCheckBox::toggled, this, [this, refreshes] {
        readSwitches();
        if (refreshes)
            refresh();
    });
    return box;
}

ColorButton *WatchListPanel::addButton(const QString &caption, const char *name, int widthDlu,
                                       void (WatchListPanel::*slot)())
{
    ColorButton *button = makeButton(caption, name, widthDlu, widthDlu == 14 ? 12 : 14);
    connect(button, &QPushButton::clicked, this, slot);
    return button;
}

void WatchListPanel::readSwitches()
{
    WatchSwitches &s = m_list.switches();
    s.alertsPopUp = m_alertsPopUp->isChecked();
    s.myConfigured = m_myConfigured->isChecked();
    s.dayHighLow = m_dayHighLow->isChecked();
    s.yearHighLow = m_yearHighLow->isChecked();
    s.intraday = m_intraday->isChecked();
    s.liveData = m_liveData->isChecked();
}

bool WatchListPanel::liveChartSwitchesOn() const
{
    return m_intraday->isChecked() && m_liveData->isChecked();
}

void WatchListPanel::refresh()
{
    readSwitches();
    const WatchRefreshReport report =
        refreshWatchList(m_list, m_bar.board(), m_logger, context().clock);
    updateModel();
    emit refreshed();
    tell(report);
}

void WatchListPanel::updateModel()
{
    m_model->setRows(m_list.stocks(), m_list.switches());
}

void WatchListPanel::tell(const WatchRefreshReport &report)
{
    // The tray, or the desktop's notifications, reach a user whose bar is hidden; every alert
    // goes there.
    if (UserNotices *notices = m_bar.notices())
        notices->alerts(report.alert, report.notices);
    if (report.problems.empty() && report.alert.empty())
        return;
    // The boxes open once the refresh that called us has run to its end: the main bar's
    // index list is up to date under them, and a refresh that starts while one is open does
    // not run inside the one before.
    QTimer::singleShot(0, this, [this, report] { showReport(report); });
}

void WatchListPanel::showReport(const WatchRefreshReport &report)
{
    // Refreshes go on while a box is open; their reports wait for no one, so a user back at
    // the desk finds one box rather than a stack of them.
    if (m_telling)
        return;
    m_telling = true;
    for (const std::string &problem : report.problems)
        context().messenger.inform(problem);
    if (!report.alert.empty())
        context().messenger.inform(report.alert);
    m_telling = false;
}

AddOutcome WatchListPanel::addEntry(const WatchRow &row)
{
    const AddOutcome outcome = m_list.addEntry(row);
    if (outcome == AddOutcome::Added)
        refresh();
    return outcome;
}

std::vector<int> WatchListPanel::selectedRows() const
{
    std::set<int> rows;
    for (const QModelIndex &index : m_view->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    return {rows.begin(), rows.end()};
}

void WatchListPanel::pressAdd()
{
    if (!m_list.mayAdd(feeding()))
        return;
    TimerPause pause(context().refresh);
    if (!m_chooser)
        return;
    m_chooser(this);
}

void WatchListPanel::pressDelete()
{
    const std::vector<int> rows = selectedRows();
    if (feeding() || rows.empty()) {
        m_list.removeRows(rows, feeding()); // shows why not
        return;
    }
    TimerPause pause(context().refresh);
    m_list.removeRows(rows, false);
    refresh();
}

void WatchListPanel::pressSetAlert()
{
    const std::vector<int> rows = selectedRows();
    if (rows.empty()) {
        context().messenger.inform(WatchList::NoAlertSelection);
        return;
    }
    const WatchedStock stock = m_model->stock(rows.front());
    const WatchRow &e = stock.entry;
    // The dialog starts from the price and limits as the list prints them.
    const AlertLimits current{e.alert, shown(e.lowerLimit), shown(e.upperLimit)};
    TimerPause pause(context().refresh);
    const auto save = [this, &e](const AlertLimits &limits) {
        return m_list.setAlert(e.symbol, limits.alert, limits.lowerLimit, limits.upperLimit);
    };
    if (AlertLimitsDialog::ask(context().messenger, QString::fromStdString(e.companyName),
                               shown(stock.quote.last), current, save, this))
        refresh();
}

void WatchListPanel::pressExport()
{
    if (m_model->rowCount() == 0) {
        context().messenger.inform(watchexport::NoData);
        return;
    }
    const std::optional<QString> name =
        ExportNameDialog::ask(context().clock, context().messenger, this);
    if (!name)
        return;
    context().messenger.inform(watchexport::write(*context().files,
                                                  m_logger.dataRoot() + "/WatchListData",
                                                  name->toStdString(), m_model->stocks()));
}

void WatchListPanel::pressHelp()
{
    AlertHelpDialog::run(this);
}

void WatchListPanel::pressClose()
{
    emit closedByUser();
    hide();
}

void WatchListPanel::sortBy(int column)
{
    if (m_list.sortBy(column, feeding()))
        updateModel();
}

void WatchListPanel::openChart(int row)
{
    const WatchRow &e = m_model->stock(row).entry;
    if (e.symbol.empty())
        return;
    if (!connected()) {
        context().messenger.inform(StockListView::NoConnection);
        return;
    }
    openHistoricalChart(context(), this, QString::fromStdString(e.companyName),
                        QString::fromStdString(e.exchange), QString::fromStdString(e.symbol));
}
