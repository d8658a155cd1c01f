#include "platform/chartlink/chartfeed.h"

#include "core/common/messenger.h"

ChartFeed::ChartFeed(const QString &service, Messenger &messenger, QObject *parent)
    : QObject(parent), m_bridge(service), m_messenger(messenger)
{
}

void ChartFeed::cycle(const std::string &text)
{
    if (m_busy)
        return;
    m_busy = true;
    if (m_bridge.ready()) {
        feed(text);
        return;
    }
    if (!m_bridge.create()) {
        end(false, BridgeUnavailable);
        return;
    }
    m_bridge.connectBridge([this, text](bool ok) {
        m_bridge.setReady(ok);
        if (ok)
            feed(text);
        else
            end(false, BridgeUnavailable);
    });
}

void ChartFeed::feed(const std::string &text)
{
    m_bridge.feedQuotes(text, [this](bool ok) {
        // A charting program that went away must be connected again before the next feed.
        if (!ok)
            m_bridge.setReady(false);
        end(ok, ok ? nullptr : FeedFailed);
    });
}

void ChartFeed::end(bool fed, const char *message)
{
    if (message)
        m_messenger.inform(message);
    m_busy = false;
    emit cycleEnded(fed);
}
