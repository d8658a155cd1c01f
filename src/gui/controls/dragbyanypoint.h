#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

// Lets a captionless window be dragged by any point its controls leave free, as if the
// whole surface were its caption.
class DragByAnyPoint : public QObject
{
    Q_OBJECT
public:
    explicit DragByAnyPoint(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QPoint m_offset;
};
