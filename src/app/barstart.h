#pragma once

#include "platform/common/commandline.h"
#include "platform/store/storeconfig.h"

class QApplication;
class InstanceGuard;
class SplashScreen;

// What the start hands on once the first window is up. The rest of the program, the bar and
// everything it opens, lives in a module loaded only then: its code and the libraries only it
// needs are not read before that window.
struct BarStart
{
    AppOptions &options;
    QString dataRoot;
    StoreConfig store;
    QApplication &app;
    InstanceGuard &instance; // the data folder's, already claimed
    SplashScreen *splash;    // the splash on screen, or null
    bool (*terminationRequested)();
};

// The module's two ways in, each returning the exit code: a run without windows (--init-db,
// --import-trades, --export-gains), and the bar to the end of the run.
using RunCommand = int (*)(const AppOptions &options, const StoreConfig &store);
using RunBar = int (*)(BarStart &start);
inline constexpr const char *BarModuleName = "vantrel-bar";
inline constexpr const char *RunCommandName = "vantrelRunCommand";
inline constexpr const char *RunBarName = "vantrelRunBar";
