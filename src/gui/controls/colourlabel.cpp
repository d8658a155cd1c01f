#include "gui/controls/colourlabel.h"

ColourLabel::ColourLabel(QWidget *parent) : QLabel(parent)
{
    const QColor text = palette().color(QPalette::WindowText);
    m_colour = Rgb{static_cast<std::uint8_t>(text.red()), static_cast<std::uint8_t>(text.green()),
                   static_cast<std::uint8_t>(text.blue())};
}

void ColourLabel::setTextColour(Rgb colour)
{
    m_colour = colour;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(colour.r, colour.g, colour.b));
    setPalette(pal);
    repaint();
}

void ColourLabel::setBold(bool bold)
{
    QFont f = font();
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    setFont(f);
    repaint();
}

void ColourLabel::setFontSize(int pixels)
{
    QFont f = font();
    f.setPixelSize(pixels);
    setFont(f);
    repaint();
}
