#include "gui/store/searchresults.h"

#include "core/store/companysearch.h"

#include <QListView>

CompanyNamesModel::CompanyNamesModel(const CompanySearch &search, QObject *parent)
    : QAbstractListModel(parent), m_search(search)
{
}

int CompanyNamesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_count;
}

QVariant CompanyNamesModel::data(const QModelIndex &index, int role) const
{
    const CompanyRow *row = m_search.rowAt(index.row());
    if (!index.isValid() || index.row() >= m_count || !row || role != Qt::DisplayRole)
        return {};
    return QString::fromStdString(row->name);
}

void CompanyNamesModel::clear()
{
    if (m_count == 0)
        return;
    beginResetModel();
    m_count = 0;
    endResetModel();
}

void CompanyNamesModel::reload()
{
    beginResetModel();
    m_count = int(m_search.rows().size());
    endResetModel();
}

QListView *makeResultList(CompanyNamesModel *model, QWidget *parent)
{
    auto *list = new QListView(parent);
    list->setUniformItemSizes(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setModel(model);
    return list;
}

int selectedPosition(const QListView *list)
{
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
}
