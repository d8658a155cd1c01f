#include "gui/market/indexpanelbase.h"

#include "gui/charts/historicalchartpanel.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/dialogunits.h"
#include "gui/market/marketindexmodel.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/artwork.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>

namespace {
constexpr const char *ListTip = "Double Click Stocks to see their Historical Chart";

QLabel *bannerLabel(QWidget *parent, const QString &text, int width, int height)
{
    auto *label = new QLabel(parent);
    label->setFixedHeight(height);
    label->setMinimumWidth(100);
    label->setPixmap(artwork::titleBanner(QSize(width, height), text));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}
} // namespace

IndexPanelBase::IndexPanelBase(AppContext &context, QWidget *bar, int heightDlu,
                               const QString &title, const char *closeName,
                               std::vector<NamedSymbol> upper, std::vector<NamedSymbol> lower,
                               bool clampPercent)
    : DockedPanel(context, bar, heightDlu), m_quotes(std::move(upper), std::move(lower)),
      m_clampPercent(clampPercent)
{
    ColorButton *close = makeButton(QStringLiteral("X"), closeName, 14, 12);
    connect(close, &QPushButton::clicked, this, &IndexPanelBase::closeAndDestroy);
    m_layout = titledLayout(title, {close});
    m_quotes.setOnArrived([this] { redisplay(); });
}

IndexPanelBase::~IndexPanelBase()
{
    if (m_slot >= 0)
        context().registry.detach(static_cast<GroupSlot>(m_slot), &m_quotes);
}

void IndexPanelBase::attachTo(int slot)
{
    m_slot = slot;
    context().registry.attach(static_cast<GroupSlot>(slot), &m_quotes);
}

void IndexPanelBase::addList(const QString &caption, StockListView *&list, MarketIndexModel *&model,
                             int rows, const char *objectName)
{
    const DialogUnits du;
    m_layout->addWidget(bannerLabel(client(), caption, du.x(388 - 4), du.y(11)));
    model = new MarketIndexModel(m_clampPercent, this);
    list = new StockListView(context().messenger, client());
    list->setObjectName(QLatin1String(objectName));
    list->setToolTip(QLatin1String(ListTip));
    const auto &w = IndexColumns::widths();
    list->setStockModel(model, std::vector<int>(w.begin(), w.end()));
    // The columns share the panel's whole width, as the other panels' lists do: the longest
    // company names need more than their given width in the dialog font.
    list->setFillWidth(true);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFixedHeight(list->horizontalHeader()->height() +
                         rows * list->verticalHeader()->defaultSectionSize() + 4);
    list->setConnectedCheck([this] { return connected(); });
    MarketIndexModel *m = model;
    connect(list, &StockListView::rowActivated, this, [this, m](int row) { openChart(m, row); });
    m_layout->addWidget(list);
    if (!m_upperList) {
        m_upperList = list;
        m_upperModel = model;
    } else {
        m_lowerList = list;
        m_lowerModel = model;
    }
}

void IndexPanelBase::redisplay()
{
    if (m_upperModel)
        m_upperModel->setRows(m_quotes.upperRows());
    if (m_lowerModel)
        m_lowerModel->setRows(m_quotes.lowerRows());
}

void IndexPanelBase::openChart(const MarketIndexModel *model, int row)
{
    const std::string symbol = model->text(row, 1);
    if (symbol.empty())
        return;
    // Indices carry complete symbols: the chart gets no exchange and adds no suffix.
    openHistoricalChart(context(), this, QString::fromStdString(model->text(row, 0)), QString(),
                        QString::fromStdString(symbol));
}
