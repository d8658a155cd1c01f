#include "gui/futures/futurespanel.h"

#include "gui/controls/colorbutton.h"
#include "gui/controls/dialogunits.h"
#include "gui/futures/futurelistmodels.h"
#include "gui/futures/futuresdownload.h"
#include "gui/shell/appcontext.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {
const char *const MonthNames[] = {"month1", "month2", "month3"};

QString named(int month, const char *role)
{
    return QLatin1String(MonthNames[month]) + QLatin1String(role);
}

void fitRows(StockListView *view, int rows)
{
    view->setFixedHeight(view->horizontalHeader()->height() +
                         rows * view->verticalHeader()->defaultSectionSize() + 4);
}
} // namespace

FuturesPanel::FuturesPanel(AppContext &context, QWidget *bar)
    : DockedPanel(context, bar, 349),
      m_board(context.database.futures(), context.database.selectedFutures(), context.messenger)
{
    setObjectName(QStringLiteral("futuresPanel"));
    m_download = new FuturesDownload(m_board, this);
    connect(m_download, &FuturesDownload::finished, this, &FuturesPanel::fetched);

    // Closing stays possible while pages come in: the fetch goes with the panel.
    ColorButton *close = makeButton(QStringLiteral("X"), "closePanel", 14, 12);
    connect(close, &QPushButton::clicked, this, &FuturesPanel::closeAndDestroy);
    QVBoxLayout *layout = titledLayout(QStringLiteral("Futures"), {close});

    auto *upper = new QHBoxLayout;
    upper->addLayout(buildChoices());
    upper->addLayout(buildStatistics(), 1);
    layout->addLayout(upper);
    for (int month = 0; month < 3; ++month)
        layout->addLayout(buildMonth(month));
    fitHeightToContents();

    m_board.load();
    for (const FutureRow &row : m_board.choices())
        m_choices->addItem(QString::fromStdString(row.underlying));
    fillLists();
}

FuturesPanel::~FuturesPanel()
{
    // The fetch and the list models read the board, which goes before the panel's children.
    delete m_download;
    qDeleteAll(m_models);
    delete m_statsModel;
}

ColorButton *FuturesPanel::addButton(const QString &caption, const char *name, int widthDlu,
                                     void (FuturesPanel::*slot)())
{
    ColorButton *button = makeButton(caption, name, widthDlu, 14);
    connect(button, &QPushButton::clicked, this, slot);
    m_locked.push_back(button);
    return button;
}

QLayout *FuturesPanel::buildChoices()
{
    const DialogUnits du;
    auto *column = new QVBoxLayout;
    auto *label = new QLabel(QStringLiteral(" Select  Max 25\nStocks to watch"), client());
    column->addWidget(label);
    m_choices = new QListWidget(client());
    m_choices->setObjectName(QStringLiteral("stockChoices"));
    m_choices->setSelectionMode(QAbstractItemView::MultiSelection);
    m_choices->setFixedSize(du.size(130, 56));
    column->addWidget(m_choices);
    column->addWidget(addButton(QStringLiteral("Add"), "addStocks", 40, &FuturesPanel::pressAdd));
    return column;
}

QLayout *FuturesPanel::buildStatistics()
{
    auto *column = new QVBoxLayout;
    auto *row = new QHBoxLayout;
    row->addWidget(addButton(QStringLiteral("Get Latest Data"), "getLatestData", 64,
                             &FuturesPanel::pressGetLatestData));
    m_wait = new QLabel(QLatin1String(Waiting), client());
    m_wait->setObjectName(QStringLiteral("waitText"));
    m_wait->setAlignment(Qt::AlignCenter);
    m_wait->hide();
    row->addWidget(m_wait, 1);
    column->addLayout(row);
    m_heading = new QLabel(QLatin1String(FuturesBoard::InitialHeading), client());
    m_heading->setObjectName(QStringLiteral("statisticsHeading"));
    m_heading->setAlignment(Qt::AlignCenter);
    column->addWidget(m_heading);
    m_statsModel = new TradeStatsModel(m_board, this);
    m_statsView = new StockListView(context().messenger, client());
    m_statsView->setObjectName(QStringLiteral("tradeStatistics"));
    m_statsView->setStockModel(m_statsModel, TradeStatsModel::widths());
    m_statsView->setFillWidth(true);
    m_statsView->setConnectedCheck(nullptr);
    fitRows(m_statsView, 2);
    column->addWidget(m_statsView);
    column->addStretch(1);
    return column;
}

QLayout *FuturesPanel::buildMonth(int month)
{
    const DialogUnits du;
    auto *column = new QVBoxLayout;
    column->setSpacing(du.y(1));
    auto *row = new QHBoxLayout;
    auto *expiry = new QLabel(QLatin1String(FuturesBoard::InitialExpiry), client());
    expiry->setObjectName(named(month, "Expiry"));
    expiry->setAlignment(Qt::AlignCenter);
    expiry->setFrameShape(QFrame::Box);
    expiry->setFixedSize(du.size(80, 11));
    m_expiry[std::size_t(month)] = expiry;
    row->addWidget(expiry);
    row->addStretch(1);
    row->addWidget(addButton(QStringLiteral("Delete"),
                             named(month, "Delete").toLatin1().constData(), 40,
                             &FuturesPanel::pressDelete));
    column->addLayout(row);

    auto *model = new ContractListModel(m_board, month, this);
    auto *view = new StockListView(context().messenger, client());
    view->setObjectName(named(month, "Contracts"));
    view->setStockModel(model, ContractListModel::widths());
    view->setFillWidth(true);
    view->setConnectedCheck(nullptr);
    fitRows(view, 5);
    // One stock is deleted at a time: a row picked in one month's list drops what was picked
    // in the others.
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, month](const QItemSelection &picked) {
                if (picked.isEmpty())
                    return;
                for (int other = 0; other < 3; ++other)
                    if (other != month)
                        m_views[std::size_t(other)]->clearSelection();
            });
    m_models[std::size_t(month)] = model;
    m_views[std::size_t(month)] = view;
    column->addWidget(view);
    return column;
}

bool FuturesPanel::fetching() const
{
    return m_download->running();
}

void FuturesPanel::setFetchTimeoutMs(int ms)
{
    m_download->setTimeoutMs(ms);
}

void FuturesPanel::setFetchDeadlineMs(int ms)
{
    m_download->setDeadlineMs(ms);
}

void FuturesPanel::fillLists()
{
    for (ContractListModel *model : m_models)
        model->reload();
    m_statsModel->reload();
    m_heading->setText(QString::fromStdString(m_board.stats().heading));
    for (std::size_t m = 0; m < m_expiry.size(); ++m)
        m_expiry[m]->setText(QString::fromStdString(m_board.expiryLabels()[m]));
}

void FuturesPanel::lock(bool on)
{
    for (ColorButton *button : m_locked)
        button->setEnabled(!on);
    m_wait->setVisible(on);
}

void FuturesPanel::pressAdd()
{
    std::vector<std::size_t> picked;
    for (int i = 0; i < m_choices->count(); ++i)
        if (m_choices->item(i)->isSelected())
            picked.push_back(std::size_t(i));
    if (!m_board.add(picked))
        return;
    fillLists();
    pressGetLatestData();
}

void FuturesPanel::pressGetLatestData()
{
    if (fetching())
        return;
    lock(true);
    m_download->start(context().services.exchange);
}

void FuturesPanel::pressDelete()
{
    for (std::size_t m = 0; m < m_views.size(); ++m) {
        const QModelIndexList rows = m_views[m]->selectionModel()->selectedRows();
        if (rows.isEmpty())
            continue;
        const std::string symbol = m_models[m]->text(rows.front().row(), 1);
        if (!m_board.remove(symbol))
            return;
        fillLists();
        pressGetLatestData();
        return;
    }
    context().messenger.inform(FuturesBoard::NothingToDelete);
}

void FuturesPanel::fetched(const QStringList &messages)
{
    fillLists();
    lock(false);
    for (const QString &message : messages)
        context().messenger.inform(message.toStdString());
    emit fetchFinished();
}
