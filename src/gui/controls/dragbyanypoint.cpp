#include "gui/controls/dragbyanypoint.h"

#include <QMouseEvent>
#include <QWidget>

DragByAnyPoint::DragByAnyPoint(QWidget *window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

bool DragByAnyPoint::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    // Presses that no control took arrive here; so do the moves that follow them.
    if (event->type() == QEvent::MouseButtonPress) {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::LeftButton)
            m_offset = e->globalPosition().toPoint() - m_window->frameGeometry().topLeft();
    } else if (event->type() == QEvent::MouseMove) {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->buttons() & Qt::LeftButton)
            m_window->move(e->globalPosition().toPoint() - m_offset);
    }
    return false;
}
