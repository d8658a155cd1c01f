#include "gui/charts/chartcontrol.h"

#include "gui/charts/chartsmodule.h"

#include <QLabel>
#include <QVBoxLayout>

ChartControl::ChartControl(Kind kind, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QString error;
    if (const MakeChartBackend make = ChartsModule::factory(&error))
        m_backend = make(kind, this);
    if (m_backend) {
        layout->addWidget(m_backend->widget());
        return;
    }
    auto *missing = new QLabel(QStringLiteral("Charts cannot be drawn: %1").arg(error), this);
    missing->setObjectName(QStringLiteral("chartsMissing"));
    missing->setAlignment(Qt::AlignCenter);
    missing->setWordWrap(true);
    layout->addWidget(missing);
}

void ChartControl::setColumnLabel(int column, const QString &label)
{
    if (m_backend)
        m_backend->setColumnLabel(column, label);
}

void ChartControl::setValueScale(int axis, double lower, double upper, int divisions)
{
    if (m_backend)
        m_backend->setValueScale(axis, lower, upper, divisions);
}

void ChartControl::setColumn(int column, const QList<QPointF> &points)
{
    if (m_backend)
        m_backend->setColumn(column, points);
}

void ChartControl::appendToColumn(int column, const QList<QPointF> &points)
{
    if (m_backend)
        m_backend->appendToColumn(column, points);
}

int ChartControl::pointCount(int column) const
{
    return m_backend ? m_backend->pointCount(column) : 0;
}

QColor ChartControl::columnColour(int column) const
{
    return m_backend ? m_backend->columnColour(column) : QColor();
}
