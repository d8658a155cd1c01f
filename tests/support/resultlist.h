#pragma once

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QStringList>

// The names a list view shows, and a row picked as a click picks it.
inline QStringList shownNames(const QAbstractItemView *view)
{
    QStringList out;
    const QAbstractItemModel *model = view->model();
    for (int i = 0; i < model->rowCount(); ++i)
        out << model->index(i, 0).data().toString();
    return out;
}

inline void pickRow(QAbstractItemView *view, int row)
{
    view->setCurrentIndex(view->model()->index(row, 0));
}

// The view's model checked against the model rules for as long as the view lives.
inline void testModelOf(QAbstractItemView *view)
{
    new QAbstractItemModelTester(view->model(),
                                 QAbstractItemModelTester::FailureReportingMode::QtTest, view);
}
