#pragma once

#include "core/common/clock.h"
#include "core/common/datafiles.h"
#include "core/common/messenger.h"
#include "core/common/services.h"
#include "core/shell/refreshplan.h"
#include "platform/shell/refreshcycle.h"
#include "platform/store/companydatabase.h"

#include <QString>

class UserSettings;

// What every window of one run shares: the services, the message boxes, the clock, the data
// folder and the company database, and the refresh cycle with the groups that ride on it.
class AppContext
{
public:
    AppContext(ServiceUrls services, Messenger &messenger, const Clock &clock)
        : services(std::move(services)), messenger(messenger), clock(clock),
          refresh(registry, messenger)
    {
        refresh.setBaseUrl(this->services.quote);
    }

    ServiceUrls services;
    Messenger &messenger;
    const Clock &clock;
    QString dataRoot; // where the data files and exports go
    // What the data files and exports are written through: the disk, unless a test puts a
    // failing one in its place.
    DataFileSystem *files = &m_disk;
    // Where the live gateway's prices come now ("LIVE via chart", "END OF DAY 6/26/2023").
    QString liveLabel;
    QString bridgeService = QStringLiteral("org.vantrel.ChartBridge"); // the chart link's bus name
    QString chartbookProgram = QStringLiteral("vantrel-chartbook");    // what "Kill All" ends
    // What the user leaves behind between runs; none in tests that don't ask for it.
    UserSettings *settings = nullptr;
    CompanyDatabase database; // opened by the program at start; unopened it reads empty
    QuoteGroupRegistry registry;
    RefreshCycle refresh;

private:
    StdDataFileSystem m_disk;
};
