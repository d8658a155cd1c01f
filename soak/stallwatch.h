#pragma once

#include "procstats.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <utility>

// Measures how long the event loop goes without turning: a short timer that notes how late
// each of its ticks comes. A window that blocks on the network or the disk shows up as one
// long gap. Runs while the owner's event loop runs (QTest::qWait, QSignalSpy::wait, exec).
//
// Each gap is also told without the time the thread stood ready while the machine's processors
// ran other programs: on a shared machine of two cores a parallel build can hold the loop back
// for a second though the program did nothing wrong. What is left, the program's own stall, is
// work on the loop or a wait for something it asked for (the disk, the display, a lock).
class StallWatch
{
public:
    static constexpr int TickMs = 10;

    // `where` names the moment, for telling where the longest stall of the program's own came.
    explicit StallWatch(std::function<QString()> where) : m_where(std::move(where))
    {
        m_timer.setInterval(TickMs);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 gap = m_clock.restart() - TickMs;
            const qint64 waited = waitedSinceTickMs();
            m_lastWaitNs = procstats::processorWaitNs();
            m_maxStallMs = std::max(m_maxStallMs, gap);
            if (gap - waited > m_maxOwnStallMs) {
                m_maxOwnStallMs = gap - waited;
                m_worstAt = m_where();
            }
        });
        restart();
    }

    // Forgets what was measured and measures from now.
    void restart()
    {
        m_maxStallMs = m_maxOwnStallMs = 0;
        m_lastWaitNs = procstats::processorWaitNs();
        m_clock.start();
        m_timer.start();
    }

    // The longest the loop stood still beyond one tick since the last restart.
    qint64 maxStallMs() const { return std::max(m_maxStallMs, m_clock.elapsed() - TickMs); }
    // The same without the waits for a processor; the whole stall where the kernel doesn't
    // keep that figure.
    qint64 maxOwnStallMs() const
    {
        return std::max(m_maxOwnStallMs, m_clock.elapsed() - TickMs - waitedSinceTickMs());
    }

    // Where the longest stall of the program's own ended, as `where` named it.
    const QString &worstAt() const { return m_worstAt; }

private:
    qint64 waitedSinceTickMs() const
    {
        const long long now = procstats::processorWaitNs();
        return now < 0 || m_lastWaitNs < 0 ? 0 : (now - m_lastWaitNs) / 1000000;
    }

    std::function<QString()> m_where;
    QString m_worstAt;
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_maxStallMs = 0;
    qint64 m_maxOwnStallMs = 0;
    long long m_lastWaitNs = -1;
};
