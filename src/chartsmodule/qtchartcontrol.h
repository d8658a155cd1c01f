#pragma once

#include "gui/charts/chartbackend.h"

#include <QChartView>

#include <array>

class QAbstractSeries;
class QDateTimeAxis;
class QValueAxis;
class QXYSeries;

// The live chart's chart controls on Qt Charts, with only what that window does to them.
class QtChartControl : public QChartView, public ChartBackend
{
public:
    QtChartControl(Kind kind, QWidget *parent);

    QWidget *widget() override { return this; }
    void setColumnLabel(int column, const QString &label) override;
    void setValueScale(int axis, double lower, double upper, int divisions) override;
    void setColumn(int column, const QList<QPointF> &points) override;
    void appendToColumn(int column, const QList<QPointF> &points) override;
    int pointCount(int column) const override;
    QColor columnColour(int column) const override;

protected:
    // Bars are painted over the chart from their points: a line through all of them would be
    // measured and stroked whole again at every added bar.
    void drawForeground(QPainter *painter, const QRectF &rect) override;

private:
    QList<QPointF> shown(const QList<QPointF> &points) const;
    void fitTimeAxis();

    Kind m_kind;
    QDateTimeAxis *m_time;
    std::array<QValueAxis *, 2> m_scales{};
    std::array<QXYSeries *, 2> m_series{};
    QList<QPointF> m_bars; // (ms of the time axis, value); the bar chart's only

    qreal m_first = 0;
    qreal m_last = 0;
    qreal m_from = -1; // the time axis's range, in seconds of the day
    qreal m_to = -1;
};
