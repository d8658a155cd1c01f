#pragma once

#include "gui/charts/chartbackend.h"

#include <QWidget>

class QLabel;

// The live chart's chart control: a line chart of up to two series, each on its own value
// scale (1 left, 2 right), or a bar chart of one series; both against the time of day. Points
// are (seconds of day, value). The drawing comes from the charts module; without it the
// control says so and holds no points.
class ChartControl : public QWidget
{
    Q_OBJECT
public:
    using Kind = ChartBackend::Kind;

    ChartControl(Kind kind, QWidget *parent = nullptr);

    // The legend's name of a column (1 or 2).
    void setColumnLabel(int column, const QString &label);
    // Fixed bounds and major divisions of a value scale (1 or 2).
    void setValueScale(int axis, double lower, double upper, int divisions);
    // The points of a column, replacing what it had.
    void setColumn(int column, const QList<QPointF> &points);
    // Later points added at the end of a column, the rest left as drawn.
    void appendToColumn(int column, const QList<QPointF> &points);
    int pointCount(int column) const;
    QColor columnColour(int column) const;

private:
    ChartBackend *m_backend = nullptr; // a child widget's; null when the module is missing
};
