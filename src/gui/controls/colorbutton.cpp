#include "gui/controls/colorbutton.h"

#include "gui/controls/bevel.h"

#include <QPainter>

namespace {

QColor toQColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

// Rings from the outside in; each is a one-pixel frame, top and left in one colour, bottom
// and right in the other, then the rectangle shrinks by a pixel on every side.
void drawBevel(QPainter &p, QRect r, int width)
{
    for (const BevelRing &ring : bevelRings(width)) {
        if (r.width() < 2 || r.height() < 2)
            break;
        const int l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
        p.fillRect(QRect(l, t, rr - l, 1), toQColor(ring.topLeft));
        p.fillRect(QRect(l, t, 1, b - t), toQColor(ring.topLeft));
        p.fillRect(QRect(l, b, rr - l + 1, 1), toQColor(ring.bottomRight));
        p.fillRect(QRect(rr, t, 1, b - t + 1), toQColor(ring.bottomRight));
        r.adjust(1, 1, -1, -1);
    }
}

void drawCaption(QPainter &p, const QRect &r, const QString &caption, Rgb colour)
{
    p.setPen(toQColor(colour));
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, caption);
}

void drawFocus(QPainter &p, const QRect &f)
{
    QPen pen(Qt::black);
    pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(f.adjusted(0, 0, -1, -1));
}

} // namespace

ColorButton::ColorButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent) {}

void ColorButton::setColours(const Colours &c)
{
    m_colours = c;
    update();
}

void ColorButton::setFaceColour(Rgb face, bool repaintNow)
{
    m_colours.face = face;
    if (repaintNow)
        repaint();
    else
        update();
}

void ColorButton::paint(QPainter &p, const QRect &rect, const QString &caption, const Colours &c,
                        const State &state)
{
    const QRect focus = rect.adjusted(4, 4, -4, -4);
    p.fillRect(rect, toQColor(c.face));
    drawBevel(p, rect, c.bevel);
    drawCaption(p, rect, caption, state.enabled ? c.text : c.disabled);
    if (state.focused) {
        drawFocus(p, focus);
        if (state.pressed) {
            p.fillRect(rect, toQColor(c.face));
            drawBevel(p, rect, -c.bevel);
            drawCaption(p, rect.translated(1, 1), caption, c.text);
            drawFocus(p, focus);
        }
    }
}

void ColorButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(font());
    paint(p, rect(), text(), m_colours, State{hasFocus(), isDown(), isEnabled()});
}
