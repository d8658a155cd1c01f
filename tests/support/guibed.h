#pragma once

#include "core/common/clock.h"
#include "gui/controls/colorbutton.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/mainbar.h"
#include "gui/shell/program.h"
#include "platform/store/storeconfig.h"
#include "support/recordingmessenger.h"
#include "support/testsim.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

// What the gui tests run the windows on: message boxes recorded, a fixed clock, a folder of
// their own for the data files and the company database, and a simulator whose access log
// shows every request. Until the simulator runs, every service is a closed port, so a
// refresh fails quietly.
struct GuiBed
{
    QTemporaryDir dir;
    TestSim sim;
    RecordingMessenger messenger;
    FixedClock clock{makeLocalTime(2026, 12, 4, 11, 0, 0)};
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<Program> program;
    qint64 logMark = 0; // bytes of access log before the running test

    QString path(const QString &name) const { return dir.filePath(name); }
    QString databaseFile() const { return path("CompanyList.sqlite"); }
    bool startSim(const QStringList &extra = {})
    {
        return sim.startWith(QStringList{"--access-log", accessLog()} + extra);
    }

    // A new context, with no messages yet and the access log read from here on.
    AppContext &context()
    {
        reset();
        ServiceUrls services;
        services.quote = services.chart = services.lookup = services.exchange =
            sim.running() ? sim.url() : "http://127.0.0.1:9";
        services.simulated = sim.running();
        ctx = std::make_unique<AppContext>(services, messenger, clock);
        ctx->dataRoot = path("data");
        messenger = RecordingMessenger();
        logMark = QFileInfo(accessLog()).size();
        return *ctx;
    }
    bool openDatabase() const
    {
        return ctx->database.open(resolveStoreConfig({}, databaseFile(), {})).ok();
    }
    // The program the user gets, on a new context.
    Program &makeProgram()
    {
        context();
        program = std::make_unique<Program>(*ctx);
        return *program;
    }
    void reset()
    {
        program.reset();
        ctx.reset();
    }
    // Between tests: the windows closed, the simulator stopped and the company database gone.
    void tearDown()
    {
        reset();
        sim.stop();
        QFile::remove(databaseFile());
    }

    // One refresh from start to result, after the one running; true when it connected.
    bool refreshOnce()
    {
        if (ctx->refresh.inProgress())
            QSignalSpy(&ctx->refresh, &RefreshCycle::resultArrived).wait(30000);
        QSignalSpy result(&ctx->refresh, &RefreshCycle::resultArrived);
        ctx->refresh.start();
        return result.wait(30000) && result.first().first().toBool();
    }

    // The running test's requests whose target starts with prefix.
    QStringList requests(const char *prefix = "/d/quotes.csv") const
    {
        return loggedRequests(accessLog(), prefix, logMark);
    }

private:
    QString accessLog() const { return path("access.log"); }
};
