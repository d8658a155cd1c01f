#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

// Measures how long the event loop goes without turning: a short timer that notes how late
// each of its ticks comes. A window that blocks on the network or the disk shows up as one
// long gap. Runs while the owner's event loop runs (QTest::qWait, QSignalSpy::wait, exec).
class StallWatch
{
public:
    static constexpr int TickMs = 10;

    StallWatch()
    {
        m_timer.setInterval(TickMs);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 gap = m_clock.restart();
            m_maxStallMs = std::max(m_maxStallMs, gap - TickMs);
        });
        restart();
    }

    // Forgets what was measured and measures from now.
    void restart()
    {
        m_maxStallMs = 0;
        m_clock.start();
        m_timer.start();
    }

    // The longest the loop stood still beyond one tick since the last restart.
    qint64 maxStallMs() const { return std::max(m_maxStallMs, m_clock.elapsed() - TickMs); }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_maxStallMs = 0;
};
