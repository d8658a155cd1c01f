#pragma once

#include "core/common/clock.h"
#include "core/common/messenger.h"
#include "core/common/services.h"
#include "core/shell/refreshplan.h"
#include "platform/shell/refreshcycle.h"

// What every window of one run shares: the services, the message boxes, the clock, and the
// refresh cycle with the groups that ride on it.
class AppContext
{
public:
    AppContext(ServiceUrls services, Messenger &messenger, const Clock &clock)
        : services(std::move(services)), messenger(messenger), clock(clock), refresh(registry, messenger)
    {
        refresh.setBaseUrl(this->services.quote);
    }

    ServiceUrls services;
    Messenger &messenger;
    const Clock &clock;
    QuoteGroupRegistry registry;
    RefreshCycle refresh;
};
