#pragma once

// Where the ticker's running text stands and how it moves: one pixel per tick, every
// |10000 / speed| ms, to the left for positive speeds and to the right for negative ones.
// Speed 0 stops it where it stands.
class BandScroll
{
public:
    static constexpr int MaxSpeed = 1000;

    enum class Step { Left, Right, Repaint };

    // False (and nothing changes) outside -1000..1000.
    bool setSpeed(int speed);
    int speed() const { return m_speed; }
    bool running() const { return m_running; }
    int intervalMs() const { return m_speed == 0 ? 0 : 10000 / (m_speed < 0 ? -m_speed : m_speed); }

    // One tick over a band from left to right (pixels) with text totalWidth wide. Left and
    // Right: move the drawn pixels one step that way; Repaint: the text wrapped round to the
    // left and has to be drawn anew.
    Step step(int left, int right, int totalWidth);
    int offset() const { return m_offset; }
    void setOffset(int offset) { m_offset = offset; }

private:
    int m_speed = 0;
    bool m_running = false;
    int m_offset = 0;
};
