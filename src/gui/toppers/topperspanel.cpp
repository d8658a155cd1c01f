#include "gui/toppers/topperspanel.h"

#include "core/toppers/toppersexport.h"
#include "core/toppers/topperswatch.h"
#include "gui/charts/historicalchartpanel.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/dialogunits.h"
#include "gui/controls/exportnamedialog.h"
#include "gui/shell/appcontext.h"
#include "gui/toppers/toppersmodel.h"
#include "gui/watch/watchlistpanel.h"
#include "platform/toppers/topperssweep.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int VisibleRows = 15;
constexpr std::array<const char *, toppersfilter::Count> EditNames{
    "gainMax", "gainMin", "priceMax", "priceMin", "volumeMax", "volumeMin"};
} // namespace

ToppersPanel::ToppersPanel(AppContext &context, QWidget *bar, WatchListPanel *watchList)
    : DockedPanel(context, bar, 262), m_watchList(watchList)
{
    setObjectName(QStringLiteral("toppersPanel"));
    m_sweep = new ToppersSweep(m_scan, this);
    connect(m_sweep, &ToppersSweep::finished, this, &ToppersPanel::sweepDone);
    buildControls();
    fitHeightToContents();
}

QString ToppersPanel::pressText(Exchange exchange)
{
    return QStringLiteral("Press the left button\nto get the latest data for ") +
           QLatin1String(exchangeCode(exchange));
}

Exchange ToppersPanel::exchange() const
{
    return m_bse->isChecked() ? Exchange::Bse : Exchange::Nse;
}

QString ToppersPanel::status() const
{
    return m_status->text();
}

QString ToppersPanel::priceSource() const
{
    return m_source->isHidden() ? QString() : m_source->text();
}

void ToppersPanel::buildControls()
{
    m_close = addButton(QStringLiteral("X"), "closePanel", 14, 12, &ToppersPanel::closeAndDestroy);
    QVBoxLayout *layout = titledLayout(QStringLiteral("Toppers"), {m_close});

    auto *controls = new QHBoxLayout;
    controls->addWidget(buildSweepControls());
    controls->addWidget(buildFilters());
    auto *legend = new QLabel(QLatin1String(ToppersColourLegend), client());
    legend->setObjectName(QStringLiteral("colourLegend"));
    controls->addWidget(legend);
    layout->addLayout(controls);

    m_model = new ToppersModel(this);
    m_view = new StockListView(context().messenger, client());
    m_view->setObjectName(QStringLiteral("toppersList"));
    m_view->setToolTip(QLatin1String(ToppersTip));
    const auto &widths = topperscol::widths();
    m_view->setStockModel(m_model, std::vector<int>(widths.begin(), widths.end()));
    m_view->setFillWidth(true);
    m_view->setFixedHeight(m_view->horizontalHeader()->height() +
                           VisibleRows * m_view->verticalHeader()->defaultSectionSize() + 4);
    m_view->horizontalHeader()->setSectionsClickable(true);
    connect(m_view->horizontalHeader(), &QHeaderView::sectionClicked, m_model,
            &ToppersModel::sortBy);
    // The panel answers the double click: a row without a symbol opens nothing, even offline.
    m_view->setConnectedCheck(nullptr);
    connect(m_view, &StockListView::rowActivated, this, &ToppersPanel::openChart);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this, &ToppersPanel::showMenu);
    layout->addWidget(m_view);

    m_menu = new QMenu(QStringLiteral("Topper"), this);
    m_menu->setObjectName(QStringLiteral("toppersMenu"));
    QAction *add = m_menu->addAction(QStringLiteral("Add to Watch List"));
    add->setObjectName(QStringLiteral("addToWatchList"));
    connect(add, &QAction::triggered, this, [this] { addToWatchList(m_menuRow); });

    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(addButton(QStringLiteral("Export to CSV"), "exportToCsv", 56, 14,
                                &ToppersPanel::pressExport));
    layout->addLayout(bottom);
}

QWidget *ToppersPanel::buildSweepControls()
{
    auto *box = new QWidget(client());
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *radios = new QHBoxLayout;
    m_nse = new QRadioButton(QStringLiteral("NSE"), box);
    m_nse->setObjectName(QStringLiteral("exchangeNse"));
    m_nse->setChecked(true);
    m_bse = new QRadioButton(QStringLiteral("BSE"), box);
    m_bse->setObjectName(QStringLiteral("exchangeBse"));
    connect(m_nse, &QRadioButton::clicked, this, [this] { chooseExchange(Exchange::Nse); });
    connect(m_bse, &QRadioButton::clicked, this, [this] { chooseExchange(Exchange::Bse); });
    radios->addWidget(m_nse);
    radios->addWidget(m_bse);
    layout->addLayout(radios);
    m_get = addButton(QStringLiteral("GET LATEST DATA"), "getLatestData", 80, 14,
                      &ToppersPanel::pressGetLatestData);
    layout->addWidget(m_get);
    m_status = new QLabel(pressText(Exchange::Nse), box);
    m_status->setObjectName(QStringLiteral("status"));
    layout->addWidget(m_status);
    m_source = new QLabel(box);
    m_source->setObjectName(QStringLiteral("priceSource"));
    m_source->hide();
    layout->addWidget(m_source);
    return box;
}

QWidget *ToppersPanel::buildFilters()
{
    const DialogUnits du;
    auto *box = new QWidget(client());
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Max"), box), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Min"), box), 0, 2);
    const char *const captions[] = {"% Gain/Loss", "Price", "Volume"};
    const toppersfilter::Texts texts = toppersfilter::texts(m_filters);
    for (int i = 0; i < toppersfilter::Count; ++i) {
        if (i % 2 == 0)
            grid->addWidget(new QLabel(QLatin1String(captions[i / 2]), box), 1 + i / 2, 0);
        auto *edit = new QLineEdit(QString::fromStdString(texts[static_cast<std::size_t>(i)]), box);
        edit->setObjectName(QLatin1String(EditNames[static_cast<std::size_t>(i)]));
        edit->setFixedWidth(du.x(i >= toppersfilter::VolumeMax ? 50 : 34));
        grid->addWidget(edit, 1 + i / 2, 1 + i % 2);
        m_edits[static_cast<std::size_t>(i)] = edit;
    }
    return box;
}

ColorButton *ToppersPanel::addButton(const QString &caption, const char *name, int widthDlu,
                                     int heightDlu, void (ToppersPanel::*slot)())
{
    ColorButton *button = makeButton(caption, name, widthDlu, heightDlu);
    connect(button, &QPushButton::clicked, this, slot);
    return button;
}

void ToppersPanel::chooseExchange(Exchange exchange)
{
    m_status->setText(pressText(exchange));
}

void ToppersPanel::readFilters()
{
    toppersfilter::Texts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = m_edits[i]->text().toStdString();
    const int taken = toppersfilter::read(texts, m_filters, context().messenger);
    // The edits that were not taken show the limits still in force.
    const toppersfilter::Texts kept = toppersfilter::texts(m_filters);
    for (std::size_t i = static_cast<std::size_t>(taken); i < kept.size(); ++i)
        m_edits[i]->setText(QString::fromStdString(kept[i]));
}

void ToppersPanel::lock(bool locked)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_view, m_get, m_nse, m_bse, m_close})
        w->setEnabled(!locked);
}

void ToppersPanel::pressGetLatestData()
{
    if (!connected()) {
        context().messenger.inform(StockListView::NoConnection);
        return;
    }
    readFilters();
    m_status->setText(QLatin1String(Waiting));
    lock(true);
    m_model->setRows({});
    const Exchange chosen = exchange();
    auto listed = context().database.companyList().listedOn(chosen);
    if (!listed)
        context().messenger.inform(listed.error());
    const std::vector<CompanyRow> companies =
        listed ? std::move(listed).value() : std::vector<CompanyRow>{};
    m_source->hide();
    if (!m_sweep->start(context().services.quote, chosen, companies, context().services.live)) {
        m_status->setText(QLatin1String(ToppersScan::NothingToFetch));
        lock(false);
    }
}

void ToppersPanel::sweepDone()
{
    readFilters();
    m_model->setRows(m_scan.rows(m_filters));
    const ToppersOutcome outcome = m_scan.outcome();
    m_status->setText(QString::fromStdString(toppersstatus::text(outcome)));
    if (context().services.live) {
        m_source->setText(QString::fromStdString(toppersstatus::sourceLine(m_scan.origin())));
        m_source->show();
    }
    lock(false);
    if (const std::string why = toppersstatus::problem(outcome); !why.empty())
        context().messenger.inform(why);
}

void ToppersPanel::showMenu(const QPoint &pos)
{
    if (!m_view->selectionModel()->hasSelection())
        return;
    const QModelIndex at = m_view->indexAt(pos);
    m_menuRow = at.isValid() ? at.row() : m_view->selectionModel()->selectedRows().value(0).row();
    m_menu->popup(m_view->viewport()->mapToGlobal(pos));
}

void ToppersPanel::addToWatchList(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const ToppersRow &r = m_model->row(row);
    const WatchRow entry{r.companyName, std::string(exchangeCode(exchange())), r.symbol};
    topperswatch::add(m_watchList.data(), context().database.watchList(), context().messenger,
                      entry);
}

void ToppersPanel::openChart(int row)
{
    const ToppersRow &r = m_model->row(row);
    if (r.symbol.empty())
        return;
    if (!connected()) {
        context().messenger.inform(StockListView::NoConnection);
        return;
    }
    openHistoricalChart(context(), m_view, QString::fromStdString(r.companyName),
                        QLatin1String(exchangeCode(exchange())), QString::fromStdString(r.symbol));
}

void ToppersPanel::pressExport()
{
    if (m_model->rowCount() == 0) {
        context().messenger.inform(toppersexport::NoData);
        return;
    }
    const std::optional<QString> name =
        ExportNameDialog::ask(context().clock, context().messenger, this);
    if (!name)
        return;
    context().messenger.inform(
        toppersexport::write(*context().files, context().dataRoot.toStdString() + "/ToppersData",
                             exchange(), name->toStdString(), m_model->rows()));
}
