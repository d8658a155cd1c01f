#pragma once

#include "core/chartlink/feedswitch.h"
#include "platform/chartlink/chartbridge.h"

#include <string>

class Messenger;

// The live feed to the charting program: whether it is started, and its cycles, one at a time,
// on a Bridge of its own that connects on first use and again after any failure. A cycle whose
// predecessor has not finished (its call, or the box telling of its failure) is left out.
class ChartFeed : public QObject
{
    Q_OBJECT
public:
    // The feed's Bridge could not be created or connected.
    static constexpr const char *BridgeUnavailable =
        "SORRY !!! Problem with COM DLL!!!\nAmiBroker related functionality will not be "
        "available without proper installation of this Dll";
    static constexpr const char *FeedFailed = "Error occured in Data fetching to AmiBroker";

    ChartFeed(const QString &service, Messenger &messenger, QObject *parent = nullptr);

    ChartBridge &bridge() { return m_bridge; }
    // "START" and "STOP"; the feed outlives the dialog that switches it.
    bool feeding() const { return m_switch.on(); }
    void setFeeding(bool on) { on ? m_switch.start() : m_switch.stop(); }
    bool feedsAt(const LocalTime &now) const { return m_switch.feedsAt(now); }
    bool busy() const { return m_busy; }
    // One feed cycle with this text.
    void cycle(const std::string &text);

signals:
    void cycleEnded(bool fed);

private:
    void feed(const std::string &text);
    void end(bool fed, const char *message);

    ChartBridge m_bridge;
    Messenger &m_messenger;
    chartlink::FeedSwitch m_switch;
    bool m_busy = false;
};
