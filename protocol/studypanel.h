#pragma once

#include "chartbars.h"
#include "chartoptions.h"
#include "chartstyle.h"

class QPainter;
class QRect;

// One indicator in a panel of its own under the price plot, over the same time axis: its
// lines, levels and bars, with its name and latest values in the top left corner.
void drawStudy(QPainter &painter, const QRect &area, const ChartItem &item,
               const ChartSeries &series, ChartRange range, double plotLeft, double plotRight,
               const ChartStyle &look);
