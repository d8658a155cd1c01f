#include "core/ticker/bandscroll.h"

bool BandScroll::setSpeed(int speed)
{
    if (speed < -MaxSpeed || speed > MaxSpeed)
        return false;
    m_running = speed != 0;
    if (m_running)
        m_speed = speed;
    return true;
}

BandScroll::Step BandScroll::step(int left, int right, int totalWidth)
{
    if (m_speed >= 1) {
        // The text leaves on the left and comes back in from the right edge.
        if (--m_offset + totalWidth < left)
            m_offset = right;
        return Step::Left;
    }
    if (++m_offset > right) {
        m_offset = left - totalWidth;
        return Step::Repaint;
    }
    return Step::Right;
}
