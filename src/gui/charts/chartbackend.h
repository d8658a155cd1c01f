#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>

class QWidget;

// What the live chart asks of a chart control. The one drawn with Qt Charts lives in a module
// of its own, loaded on the first chart, so a start that opens none never loads that library.
class ChartBackend
{
public:
    enum class Kind { Lines, Bars };

    virtual ~ChartBackend() = default;
    virtual QWidget *widget() = 0;
    virtual void setColumnLabel(int column, const QString &label) = 0;
    virtual void setValueScale(int axis, double lower, double upper, int divisions) = 0;
    virtual void setColumn(int column, const QList<QPointF> &points) = 0;
    virtual void appendToColumn(int column, const QList<QPointF> &points) = 0;
    virtual int pointCount(int column) const = 0;
    virtual QColor columnColour(int column) const = 0;
};

// The module's one entry point: a control of the kind, a child of the parent.
using MakeChartBackend = ChartBackend *(*)(ChartBackend::Kind kind, QWidget *parent);
inline constexpr char MakeChartBackendName[] = "vantrelMakeChartBackend";
