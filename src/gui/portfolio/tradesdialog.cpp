#include "gui/portfolio/tradesdialog.h"

#include "core/net/displayformat.h"
#include "gui/controls/colorbutton.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/panelstyle.h"
#include "gui/store/dialogparts.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>

namespace {
enum Column {
    Date,
    Time,
    Exchange,
    Symbol,
    Side,
    Kind,
    Quantity,
    Price,
    Charges,
    Realised,
    Source
};
const char *const Headers[] = {"Date",   "Time",  "Exch",    "Symbol",       "Side", "Kind",
                               "Shares", "Price", "Charges", "Realised P/L", "From"};
constexpr int LineRole = Qt::UserRole + 1;

// A cell that sorts by its number, or by its text when it has none.
class Cell : public QTableWidgetItem
{
public:
    explicit Cell(const QString &text) : QTableWidgetItem(text) {}
    Cell(const QString &text, double number) : QTableWidgetItem(text), m_number(number)
    {
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem &other) const override
    {
        const auto *cell = dynamic_cast<const Cell *>(&other);
        if (cell && m_number && cell->m_number)
            return *m_number < *cell->m_number;
        return QTableWidgetItem::operator<(other);
    }

private:
    std::optional<double> m_number;
};

QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

QString money(double value)
{
    return text(formatDisplay(value));
}
} // namespace

TradesDialog::TradesDialog(AppContext &ctx, TradePricing pricing, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_pricing(std::move(pricing))
{
    DialogParts parts(this);
    setObjectName(QStringLiteral("tradesDialog"));
    setWindowTitle(QStringLiteral("Trades"));
    setFixedSize(parts.units().size(420, 240));
    applyPanelStyle(this);

    parts.label(nullptr, QStringLiteral("Symbol"), 7, 9, 28, 8);
    m_symbol = parts.edit("symbolFilter", 37, 7, 70, 13);
    parts.label(nullptr, QStringLiteral("Year"), 115, 9, 20, 8);
    m_year = parts.place(new QComboBox(this), "yearFilter", 137, 7, 60, 13);
    auto *kind = parts.button("changeKind", QStringLiteral("Change Kind"), 300, 7, 55, 14);
    auto *close = parts.button("close", QStringLiteral("Close"), 363, 7, 50, 14);
    m_table = parts.place(new QTableWidget(0, int(std::size(Headers)), this), "tradeList", 7, 26,
                          406, 207);
    QStringList headers;
    for (const char *h : Headers)
        headers << QLatin1String(h);
    m_table->setHorizontalHeaderLabels(headers);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setSortingEnabled(true);

    connect(m_symbol, &QLineEdit::textChanged, this, &TradesDialog::showLines);
    connect(m_year, &QComboBox::currentIndexChanged, this, &TradesDialog::showLines);
    connect(kind, &QPushButton::clicked, this, &TradesDialog::changeKind);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    reload();
}

void TradesDialog::reload()
{
    auto trades = m_ctx.database.trades().loadAll();
    if (!trades) {
        m_ctx.messenger.inform(trades.error());
        return;
    }
    auto stored = m_ctx.database.saleResults().loadAll();
    if (!stored) {
        m_ctx.messenger.inform(stored.error());
        return;
    }
    m_lines = tradeLines(trades.value(), m_pricing);
    keepStoredResults(m_lines, stored.value());
    const int chosen = m_year->currentData().toInt();
    const QSignalBlocker quiet(m_year);
    m_year->clear();
    m_year->addItem(QStringLiteral("All"), 0);
    for (int year : tradeYears(m_lines)) {
        m_year->addItem(QString::number(year), year);
        if (year == chosen)
            m_year->setCurrentIndex(m_year->count() - 1);
    }
    showLines();
}

void TradesDialog::showLines()
{
    m_shown = filterLines(m_lines, m_symbol->text().trimmed().toStdString(),
                          m_year->currentData().toInt());
    m_table->setSortingEnabled(false);
    m_table->setRowCount(int(m_shown.size()));
    for (int row = 0; row < int(m_shown.size()); ++row) {
        const TradeLine &line = m_shown[std::size_t(row)];
        const Trade &t = line.trade;
        const bool sale = t.side == TradeSide::Sell;
        QString realised;
        double profit = 0;
        if (line.result) {
            profit = line.result->profit;
            realised = money(profit);
            if (line.result->unmatched > 0)
                realised += QStringLiteral(" (%1 not held)").arg(line.result->unmatched);
        }
        QTableWidgetItem *cells[] = {
            new Cell(t.date.empty() ? QStringLiteral("not known") : text(t.date)),
            new Cell(text(t.time)),
            new Cell(text(t.exchange)),
            new Cell(text(t.symbol)),
            new Cell(sale ? QStringLiteral("Sell") : QStringLiteral("Buy")),
            new Cell(t.kind == TradeKind::Delivery ? QStringLiteral("Delivery")
                                                   : QStringLiteral("Intraday")),
            new Cell(QString::number(t.quantity), double(t.quantity)),
            new Cell(money(t.price), t.price),
            new Cell(money(line.charges.total), line.charges.total),
            line.result ? new Cell(realised, profit) : new Cell(QString()),
            new Cell(text(t.source))};
        cells[Date]->setData(LineRole, qlonglong(t.id));
        if (line.result)
            cells[Realised]->setToolTip(
                QStringLiteral("Sale value %1, cost of lots %2, buying charges %3, "
                               "selling charges %4")
                    .arg(money(line.result->saleValue), money(line.result->costOfLots),
                         money(line.result->buyCharges), money(line.result->sellCharges)));
        for (int column = 0; column < int(std::size(cells)); ++column)
            m_table->setItem(row, column, cells[column]);
    }
    m_table->setSortingEnabled(true);
}

void TradesDialog::changeKind()
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        m_ctx.messenger.inform("Please select a trade whose kind to change");
        return;
    }
    const long id = long(m_table->item(rows.front().row(), Date)->data(LineRole).toLongLong());
    for (const TradeLine &line : m_lines) {
        if (line.trade.id != id)
            continue;
        Trade trade = line.trade;
        trade.kind = trade.kind == TradeKind::Delivery ? TradeKind::Intraday : TradeKind::Delivery;
        if (auto updated = m_ctx.database.trades().update(trade); !updated) {
            m_ctx.messenger.inform(updated.error());
            return;
        }
        m_changed = true;
        reload();
        return;
    }
}

bool TradesDialog::run(AppContext &ctx, TradePricing pricing, QWidget *parent)
{
    TradesDialog dialog(ctx, std::move(pricing), parent);
    dialog.exec();
    return dialog.changed();
}
