#include "chartstyle.h"

#include <array>

ChartStyle::ChartStyle(bool large)
    : width(large ? 800 : 512), mainHeight(large ? 450 : 288), studyHeight(large ? 120 : 84),
      axisWidth(large ? 66 : 58), margin(6)
{
    font.setFamily(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(large ? 12 : 10);
    titleFont = font;
    titleFont.setPixelSize(large ? 14 : 12);
    titleFont.setBold(true);
}

QColor ChartStyle::average(std::size_t index)
{
    static const std::array<QColor, 6> colours{QColor(235, 125, 0), QColor(200, 0, 160),
                                               QColor(0, 150, 150), QColor(140, 95, 30),
                                               QColor(100, 140, 0), QColor(110, 60, 210)};
    return colours[index % colours.size()];
}

QColor ChartStyle::compared(std::size_t index)
{
    static const std::array<QColor, 4> colours{QColor(225, 70, 140), QColor(95, 95, 95),
                                               QColor(160, 110, 0), QColor(90, 90, 90)};
    return colours[index % colours.size()];
}
