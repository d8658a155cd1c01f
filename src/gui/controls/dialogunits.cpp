#include "gui/controls/dialogunits.h"

#include <QFontMetrics>

DialogUnits::DialogUnits(const QFont &font)
{
    const QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded, the way dialog base units are measured.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    m_baseX = (letters / 26 + 1) / 2;
    m_baseY = metrics.height();
}

QFont DialogUnits::dialogFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    return font;
}
