#pragma once

#include <QFont>
#include <QRect>

// Window geometry is given in dialog units; they turn into pixels through the dialog font:
// x px = dlu * average character width / 4, y px = dlu * character height / 8.
class DialogUnits
{
public:
    explicit DialogUnits(const QFont &font = dialogFont());

    int x(int dlu) const { return dlu * m_baseX / 4; }
    int y(int dlu) const { return dlu * m_baseY / 8; }
    QRect rect(int left, int top, int width, int height) const
    {
        return QRect(x(left), y(top), x(width), y(height));
    }
    QSize size(int width, int height) const { return QSize(x(width), y(height)); }
    int baseX() const { return m_baseX; }
    int baseY() const { return m_baseY; }

    // The font every window of the program uses.
    static QFont dialogFont();

private:
    int m_baseX;
    int m_baseY;
};
