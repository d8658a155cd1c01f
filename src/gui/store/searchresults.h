#pragma once

#include <QAbstractListModel>

class CompanySearch;
class QListView;
class QWidget;

// The result list of both company searches: the names in the query's order, so that a list
// position is a result row (the list never sorts itself). Only the names in view are made
// into text, so a search that finds thousands fills the list as fast as one that finds ten.
class CompanyNamesModel : public QAbstractListModel
{
    Q_OBJECT
public:
    CompanyNamesModel(const CompanySearch &search, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Empties the list before the search runs again: a message box of the search must not
    // find the list showing rows that are gone.
    void clear();
    // Shows what the search found.
    void reload();

private:
    const CompanySearch &m_search;
    int m_count = 0;
};

// A list view over the names, with rows of one height so that only those in view are asked.
QListView *makeResultList(CompanyNamesModel *model, QWidget *parent);

// The position of the selected name, -1 when none is selected.
int selectedPosition(const QListView *list);
