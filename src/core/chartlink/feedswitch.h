#pragma once

#include "core/common/markethours.h"

// Whether the live feed to the charting program is started: off when the program starts, on
// from "START" to "STOP", whether or not the link's dialog is open. While it is on the watch
// list keeps its stocks and their order, so the charting program's list stays the one it was
// synchronised with.
namespace chartlink {

class FeedSwitch
{
public:
    bool on() const { return m_on; }
    void start() { m_on = true; }
    void stop() { m_on = false; }
    // A watch-list refresh feeds while the switch is on and the market is open.
    bool feedsAt(const LocalTime &now) const { return m_on && markethours::Logging.contains(now); }

private:
    bool m_on = false;
};

} // namespace chartlink
