#include "gui/shell/panelstyle.h"

#include "gui/controls/dialogunits.h"

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
