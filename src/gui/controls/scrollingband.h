#pragma once

#include "core/common/rgb.h"
#include "core/ticker/bandscroll.h"
#include "gui/controls/styledsegment.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <vector>

// A band of coloured text segments that runs sideways one pixel per tick. The text is drawn
// once into a strip when it changes; a tick moves the pixels already on screen and draws only
// the column that comes into view. One single-shot timer, armed again after each tick, keeps
// at most one tick waiting.
class ScrollingBand : public QWidget
{
    Q_OBJECT
public:
    explicit ScrollingBand(QWidget *parent = nullptr);

    // -1000..1000; 0 stops the band where it stands; anything else is ignored.
    void setSpeed(int speed);
    void setSegments(std::vector<StyledSegment> segments);
    void setBackgroundColour(Rgb colour);

    const BandScroll &scroll() const { return m_scroll; }
    const std::vector<StyledSegment> &segments() const { return m_segments; }
    int totalWidth() const
    {
        return m_strip.isNull() ? 0 : qRound(m_strip.deviceIndependentSize().width());
    }
    bool tickPending() const { return m_timer.isActive(); }
    // The segments drawn once, which the band scrolls through.
    const QPixmap &strip() const { return m_strip; }

    // One tick of the timer.
    void step();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void renderStrip();

    BandScroll m_scroll;
    QTimer m_timer;
    std::vector<StyledSegment> m_segments;
    QPixmap m_strip;
    QColor m_background = Qt::white;
    QColor m_face{0xF0, 0xF0, 0xF0}; // under segments with no background of their own
};
