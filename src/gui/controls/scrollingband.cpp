#include "gui/controls/scrollingband.h"

#include <QPaintEvent>
#include <QPainter>

namespace {
QColor colourOf(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}
} // namespace

ScrollingBand::ScrollingBand(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::ArrowCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ScrollingBand::step);
}

void ScrollingBand::setSpeed(int speed)
{
    if (!m_scroll.setSpeed(speed))
        return;
    if (m_scroll.running())
        m_timer.start(m_scroll.intervalMs());
    else
        m_timer.stop();
}

void ScrollingBand::setSegments(std::vector<StyledSegment> segments)
{
    m_segments = std::move(segments);
    renderStrip();
    update();
}

void ScrollingBand::setBackgroundColour(Rgb colour)
{
    m_background = QColor(colour.r, colour.g, colour.b);
    renderStrip();
    update();
}

void ScrollingBand::step()
{
    if (!m_segments.empty()) {
        switch (m_scroll.step(0, width(), totalWidth())) {
        case BandScroll::Step::Left:
            QWidget::scroll(-1, 0);
            break;
        case BandScroll::Step::Right:
            QWidget::scroll(1, 0);
            break;
        case BandScroll::Step::Repaint:
            update();
            break;
        }
    }
    if (m_scroll.running())
        m_timer.start(m_scroll.intervalMs());
}

void ScrollingBand::renderStrip()
{
    QFont font = this->font();
    font.setPixelSize(std::max(1, height() * 3 / 4));
    int width = 0;
    std::vector<QFont> fonts;
    for (const StyledSegment &s : m_segments) {
        QFont f = font;
        f.setWeight(s.bold ? QFont::Black : QFont::Normal);
        f.setItalic(s.italic);
        f.setUnderline(s.underline);
        width += QFontMetrics(f).horizontalAdvance(QString::fromStdString(s.text));
        fonts.push_back(f);
    }
    if (width == 0) {
        m_strip = QPixmap();
        return;
    }
    // Drawn with the screen's pixels behind each window pixel, so a scaled ticker stays sharp.
    const qreal ratio = devicePixelRatioF();
    const int stripHeight = std::max(1, height());
    m_strip = QPixmap(QSize(width, stripHeight) * ratio);
    m_strip.setDevicePixelRatio(ratio);
    m_strip.fill(m_background);
    QPainter p(&m_strip);
    int x = 0;
    for (std::size_t i = 0; i < m_segments.size(); ++i) {
        const StyledSegment &s = m_segments[i];
        const QString text = QString::fromStdString(s.text);
        const int w = QFontMetrics(fonts[i]).horizontalAdvance(text);
        const QRect cell(x, 0, w, stripHeight);
        p.fillRect(cell, s.background ? colourOf(*s.background) : m_face);
        p.setFont(fonts[i]);
        p.setPen(colourOf(s.colour));
        p.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, text);
        x += w;
    }
}

void ScrollingBand::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QRect area = event->rect();
    p.fillRect(area, m_background);
    if (m_strip.isNull())
        return;
    const QSizeF strip = m_strip.deviceIndependentSize();
    const QRect target =
        area & QRect(m_scroll.offset(), 0, qRound(strip.width()), qRound(strip.height()));
    if (target.isEmpty())
        return;
    // The source is in the strip's own pixels.
    const qreal ratio = m_strip.devicePixelRatio();
    const QRectF source = target.translated(-m_scroll.offset(), 0).toRectF();
    p.drawPixmap(target.toRectF(), m_strip,
                 QRectF(source.topLeft() * ratio, source.size() * ratio));
}

void ScrollingBand::resizeEvent(QResizeEvent *)
{
    renderStrip();
}
