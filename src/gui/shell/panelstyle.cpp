#include "gui/shell/panelstyle.h"

#include "gui/controls/dialogunits.h"

#include <QPainter>
#include <QPalette>
#include <QWidget>

void applyPanelStyle(QWidget *window)
{
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, QColor(213, 247, 255));
    pal.setColor(QPalette::WindowText, Qt::black);
    window->setPalette(pal);
    window->setAutoFillBackground(true);
    window->setFont(DialogUnits::dialogFont());
}

void paintBorder(QPainter &p, const QRect &area, const QColor &colour)
{
    p.setPen(colour);
    p.drawRect(area.adjusted(0, 0, -1, -1));
}
