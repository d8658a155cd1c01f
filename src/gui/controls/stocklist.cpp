#include "gui/controls/stocklist.h"

#include "core/common/messenger.h"

#include <QBrush>
#include <QColor>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

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
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignment(index.column()) | Qt::AlignVCenter);
    case RawValueRole:
        return rawValue(index.row(), index.column());
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
    setModel(model);
    m_widths = widths;
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
    int given = 0;
    int lastShown = -1;
    for (int c = 0; c < static_cast<int>(m_widths.size()); ++c) {
        setColumnHidden(c, m_widths[c] == 0);
        if (m_widths[c] == 0)
            continue;
        const int width = scale ? m_widths[c] * room / total : m_widths[c];
        setColumnWidth(c, width);
        given += width;
        lastShown = c;
    }
    // What the rounding left over goes to the last column, so the grid ends at the edge.
    if (scale && lastShown >= 0)
        setColumnWidth(lastShown, columnWidth(lastShown) + room - given);
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
