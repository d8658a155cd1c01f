#pragma once

#include <QChartView>
#include <QList>
#include <QPointF>

#include <array>

class QAbstractSeries;
class QDateTimeAxis;
class QValueAxis;
class QXYSeries;

// The live chart's two chart controls on Qt Charts, with only what that window does to them:
// a line chart of up to two series, each on its own value scale (1 left, 2 right), or a bar
// chart of one series; both against the time of day. Points are (seconds of day, value).
class ChartControl : public QChartView
{
    Q_OBJECT
public:
    enum class Kind { Lines, Bars };

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
