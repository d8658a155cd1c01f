#pragma once

class CompanySearch;
class QListWidget;

// The result list of both company searches: the names in the query's order, so that a
// list position is a result row (the list never sorts itself).
void fillResultList(QListWidget *list, const CompanySearch &search);

// The position of the selected name, -1 when none is selected.
int selectedPosition(const QListWidget *list);
