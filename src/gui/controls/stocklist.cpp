#include "gui/controls/stocklist.h"

#include "core/common/messenger.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <numeric>

namespace {
QColor toQColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}
} // namespace

int StockListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : stockCount();
}

int StockListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : columns();
}

QVariant StockListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(text(index.row(), index.column()));
    case Qt::BackgroundRole:
        return QBrush(toQColor(colours(index.row(), index.column()).background));
    case Qt::ForegroundRole:
        return QBrush(toQColor(colours(index.row(), index.column()).text));
    case Qt::FontRole:
        if (colours(index.row(), index.column()).italic) {
            // Only the slant is set: the view's own font supplies the rest.
            QFont font;
            font.setItalic(true);
            return font;
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignment(index.column()) | Qt::AlignVCenter);
    case Qt::ToolTipRole:
        if (const std::string tip = toolTip(index.row()); !tip.empty())
            return QString::fromStdString(tip);
        return {};
    default:
        return {};
    }
}

QVariant StockListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns())
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(header(section));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(alignment(section) | Qt::AlignVCenter);
    return {};
}

void StockListModel::reload()
{
    beginResetModel();
    endResetModel();
}

Qt::Alignment StockListModel::alignment(int) const
{
    return Qt::AlignRight;
}

StockListView::StockListView(Messenger &messenger, QWidget *parent)
    : QTableView(parent), m_messenger(messenger)
{
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 3);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setFixedHeight(fontMetrics().height() + 4);
    setStyleSheet(QStringLiteral("QTableView { background: white; gridline-color: #c0c0c0; }"));
}

void StockListView::setStockModel(StockListModel *model, const std::vector<int> &widths)
{
    if (m_stockModel)
        m_stockModel->disconnect(this);
    setModel(model);
    m_stockModel = model;
    m_widths = widths;
    // New texts may be wider than the old: the number columns follow them.
    connect(model, &QAbstractItemModel::modelReset, this, &StockListView::applyWidths);
    connect(model, &QAbstractItemModel::layoutChanged, this, &StockListView::applyWidths);
    connect(model, &QAbstractItemModel::rowsInserted, this, &StockListView::applyWidths);
    connect(model, &QAbstractItemModel::dataChanged, this, &StockListView::applyWidths);
    applyWidths();
}

void StockListView::setFillWidth(bool fill)
{
    m_fill = fill;
    applyWidths();
}

void StockListView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    if (m_fill)
        applyWidths();
}

void StockListView::applyWidths()
{
    const int total = std::accumulate(m_widths.begin(), m_widths.end(), 0);
    // Room for a vertical scroll bar is kept, so that rows filling up never push the last
    // column out of sight.
    const int room = contentsRect().width() -
                     (verticalHeader()->isVisible() ? verticalHeader()->width() : 0) -
                     verticalScrollBar()->sizeHint().width();
    const bool scale = m_fill && total > 0 && room > total;
    const int count = static_cast<int>(m_widths.size());
    std::vector<int> widths(m_widths.size(), 0);
    int lastShown = -1;
    for (int c = 0; c < count; ++c) {
        widths[std::size_t(c)] =
            scale ? m_widths[std::size_t(c)] * room / total : m_widths[std::size_t(c)];
        if (m_widths[std::size_t(c)] != 0)
            lastShown = c;
    }
    // What the rounding left over goes to the last column, so the grid ends at the edge.
    if (scale && lastShown >= 0)
        widths[std::size_t(lastShown)] += room - std::accumulate(widths.begin(), widths.end(), 0);

    // Numbers widen to their whole text; the names give up what they can spare above their
    // header's width to make room for them.
    int wanted = 0;
    std::vector<bool> number(widths.size(), false);
    for (int c = 0; c < count && m_stockModel; ++c) {
        if (m_widths[std::size_t(c)] == 0 || c >= m_stockModel->columns())
            continue;
        number[std::size_t(c)] = (m_stockModel->alignment(c) & Qt::AlignRight) != 0;
        if (!number[std::size_t(c)])
            continue;
        const int need = widestIn(c);
        if (need > widths[std::size_t(c)]) {
            wanted += need - widths[std::size_t(c)];
            widths[std::size_t(c)] = need;
        }
    }
    for (int c = 0; c < count && wanted > 0; ++c) {
        if (m_widths[std::size_t(c)] == 0 || number[std::size_t(c)] || !m_stockModel ||
            c >= m_stockModel->columns())
            continue;
        const int least = cellWidth(QString::fromStdString(m_stockModel->header(c)));
        const int spare = std::min(wanted, widths[std::size_t(c)] - least);
        if (spare > 0) {
            widths[std::size_t(c)] -= spare;
            wanted -= spare;
        }
    }
    for (int c = 0; c < count; ++c) {
        setColumnHidden(c, m_widths[std::size_t(c)] == 0);
        if (m_widths[std::size_t(c)] != 0)
            setColumnWidth(c, widths[std::size_t(c)]);
    }
}

// The width a cell needs to show text whole: the delegate's margins on both sides and the
// grid line.
int StockListView::cellWidth(const QString &text) const
{
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return fontMetrics().horizontalAdvance(text) + 2 * margin + 1;
}

int StockListView::widestIn(int column) const
{
    int widest = cellWidth(QString::fromStdString(m_stockModel->header(column)));
    for (int row = 0; row < m_stockModel->stockCount(); ++row)
        widest =
            std::max(widest, cellWidth(QString::fromStdString(m_stockModel->text(row, column))));
    return widest;
}

void StockListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid())
        return;
    if (m_connected && !m_connected()) {
        m_messenger.inform(NoConnection);
        return;
    }
    emit rowActivated(index.row());
}
