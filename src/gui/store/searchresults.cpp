#include "gui/store/searchresults.h"

#include "core/store/companysearch.h"

#include <QListWidget>

void fillResultList(QListWidget *list, const CompanySearch &search)
{
    list->clear();
    QStringList names;
    names.reserve(static_cast<qsizetype>(search.rows().size()));
    for (const CompanyRow &row : search.rows())
        names << QString::fromStdString(row.name);
    list->addItems(names);
}

int selectedPosition(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}
