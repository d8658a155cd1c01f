#pragma once

#include "platform/shell/refreshcycle.h"

// The main refresh waits while a panel's data is being changed through a modal dialog, and
// starts again at once afterwards.
class TimerPause
{
public:
    explicit TimerPause(RefreshCycle &refresh) : m_refresh(refresh) { m_refresh.stopTimer(); }
    ~TimerPause() { m_refresh.resumeTimer(); }
    TimerPause(const TimerPause &) = delete;
    TimerPause &operator=(const TimerPause &) = delete;

private:
    RefreshCycle &m_refresh;
};
