#pragma once

#include <QColor>

class QPainter;
class QRect;
class QWidget;

// The look every window shares: background and static texts RGB(213,247,255) with black
// text, the dialog font. Edit and list controls keep their own colours.
void applyPanelStyle(QWidget *window);

// The one-pixel frame just inside the edge of a borderless window or a picture.
void paintBorder(QPainter &p, const QRect &area, const QColor &colour = QColor(100, 100, 100));
