#include "gui/portfolio/holdingsection.h"

#include "core/net/displayformat.h"
#include "core/portfolio/holdingcells.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/colourlabel.h"
#include "gui/controls/dialogunits.h"
#include "gui/portfolio/holdinglistmodel.h"
#include "gui/shell/artwork.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace {
const char *const Captions[] = {"Cost Price\n+Brokerage", "On Selling All,\nyou'll have",
                                "Net Profit/Loss after\ndeducting Brkrge"};
// Object names: the totals and buttons of the two lists, told apart by their prefix.
const char *const TotalNames[] = {"CostTotal", "MarketTotal", "ProfitLossTotal"};

QString named(TradeKind kind, const char *role)
{
    return QLatin1String(kind == TradeKind::Delivery ? "delivery" : "intraday") +
           QLatin1String(role);
}
} // namespace

HoldingSection::HoldingSection(Messenger &messenger, TradeKind kind, int visibleRows,
                               QWidget *parent)
    : QWidget(parent), m_kind(kind)
{
    const DialogUnits du;
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(du.y(1));

    auto *top = new QHBoxLayout;
    auto *banner = new QLabel(this);
    banner->setFixedHeight(du.y(12));
    banner->setMinimumWidth(100);
    const QString title = kind == TradeKind::Delivery ? QStringLiteral("Delivery Stocks")
                                                      : QStringLiteral("Intraday Stocks");
    banner->setPixmap(artwork::titleBanner(QSize(du.x(240), du.y(12)), title));
    banner->setAttribute(Qt::WA_TransparentForMouseEvents);
    top->addWidget(banner, 1);
    const std::pair<const char *, void (HoldingSection::*)()> buttons[] = {
        {"Add", &HoldingSection::addPressed},
        {"Edit", &HoldingSection::editPressed},
        {"Delete", &HoldingSection::deletePressed},
        {"Sell", &HoldingSection::sellPressed}};
    for (const auto &[caption, signal] : buttons) {
        auto *button = new ColorButton(QLatin1String(caption), this);
        button->setObjectName(named(kind, caption));
        button->setFixedSize(du.size(40, 12));
        connect(button, &QPushButton::clicked, this, signal);
        top->addWidget(button);
    }
    layout->addLayout(top);

    m_model = new HoldingListModel(this);
    m_view = new StockListView(messenger, this);
    m_view->setObjectName(named(kind, "List"));
    m_view->setToolTip(QStringLiteral("Double Click Stocks to see their Historical Chart"));
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    const auto &widths = holdingcol::widths();
    m_view->setStockModel(m_model, std::vector<int>(widths.begin(), widths.end()));
    m_view->setFillWidth(true);
    m_view->setFixedHeight(m_view->horizontalHeader()->height() +
                           visibleRows * m_view->verticalHeader()->defaultSectionSize() + 4);
    // The panel judges the double click: a row without a symbol opens nothing.
    m_view->setConnectedCheck(nullptr);
    connect(m_view, &StockListView::rowActivated, this, &HoldingSection::rowActivated);
    layout->addWidget(m_view);

    auto *totals = new QHBoxLayout;
    for (std::size_t i = 0; i < m_totals.size(); ++i) {
        auto *frame = new QGroupBox(this);
        // Caption above its figure: side by side, the three would not fit the panel's width in
        // the fonts the totals are drawn with.
        auto *inside = new QVBoxLayout(frame);
        inside->setContentsMargins(du.x(2), du.y(1), du.x(2), du.y(1));
        auto *caption = new ColourLabel(frame);
        caption->setText(QLatin1String(Captions[i]));
        // Only the delivery list's first caption stands out.
        if (i == 0 && kind == TradeKind::Delivery) {
            caption->setBold(true);
            caption->setFontSize(20);
            caption->setTextColour(colours::Blue);
        }
        inside->addWidget(caption);
        m_totals[i] = new ColourLabel(frame);
        m_totals[i]->setObjectName(named(kind, TotalNames[i]));
        m_totals[i]->setBold(true);
        m_totals[i]->setFontSize(18);
        m_totals[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        inside->addWidget(m_totals[i]);
        totals->addWidget(frame);
    }
    layout->addLayout(totals);
}

void HoldingSection::display(const HoldingList &list)
{
    m_model->setRows(list.rows);
    const HoldingTotals &t = list.totals;
    const double values[] = {t.valueAtCost, t.valueAtMarket, t.unrealized};
    for (std::size_t i = 0; i < m_totals.size(); ++i)
        m_totals[i]->setText(QString::fromStdString(formatDisplay(values[i])));
    m_totals[0]->setTextColour(colours::Black);
    m_totals[1]->setTextColour(colours::Blue);
    m_totals[2]->setTextColour(signColour(t.unrealized));
}

const HoldingRow *HoldingSection::selected() const
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.front().row() >= m_model->stockCount())
        return nullptr;
    return &m_model->row(rows.front().row());
}
