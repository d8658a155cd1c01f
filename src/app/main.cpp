// The start: the command line, the data folder's claim and the splash, with no more of the
// program's code and libraries than they need. The rest comes from the bar module, loaded
// once the splash is up.
#include "barstart.h"
#include "core/common/version.h"
#include "fontsahead.h"
#include "gui/common/programmodule.h"
#include "gui/common/qtmessenger.h"
#include "gui/controls/dialogunits.h"
#include "gui/shell/splashscreen.h"
#include "platform/common/terminationsignals.h"
#include "platform/shell/instanceguard.h"
#include "prebuiltsplash.h"

#include <QApplication>
#include <QTextStream>

#include <clocale>
#include <cstdio>
#include <future>
#include <memory>

namespace {
QStringList rawArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// The bar module's way in, or null once the user has been told why it can't be had.
QFunctionPointer barModule(const char *function, Messenger *messenger)
{
    QString error;
    if (const QFunctionPointer found =
            resolveProgramModule(QString::fromLatin1(BarModuleName), function, &error))
        return found;
    const std::string text = "Vantrel is not installed whole: its module " +
                             std::string(BarModuleName) +
                             " could not be loaded. Reinstall Vantrel.\n\n" + error.toStdString();
    std::fprintf(stderr, "vantrel: %s\n", text.c_str());
    if (messenger)
        messenger->inform(text);
    return nullptr;
}
} // namespace

int main(int argc, char **argv)
{
    const auto environment = [](const char *name) { return qEnvironmentVariable(name); };
    // A command line that can't be used is refused before any window, so it needs no display.
    const AppOptions early = parseCommandLine(rawArguments(argc, argv), environment);
    if (!early.error.isEmpty()) {
        std::fprintf(stderr, "vantrel: %s\n", qPrintable(early.error));
        return 2;
    }
    const bool windowless = early.runsWithoutWindows();
    // The data folder's lock is taken while the application object connects to the display.
    const QString earlyRoot = resolveDataRoot(early.dataDir);
    std::future<InstanceGuard::FolderLock> lockAhead;
    if (!windowless)
        lockAhead = InstanceGuard::lockAhead(earlyRoot);
    std::future<void> fonts;
    if (!windowless)
        fonts = readFontsAhead();
    std::unique_ptr<QCoreApplication> app;
    if (windowless)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    if (fonts.valid())
        fonts.wait();
    // Numbers are read and written the C way whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(vantrel::Version));

    // Again once the application has taken its own options: the help then names the program.
    AppOptions options = parseCommandLine(QCoreApplication::arguments(), environment);
    if (options.helpRequested || options.versionRequested) {
        QTextStream(stdout) << (options.helpRequested
                                    ? options.helpText
                                    : QString::fromLatin1(vantrel::ProductName) + u'\n');
        return 0;
    }
    const QString dataRoot = resolveDataRoot(options.dataDir);
    const StoreConfig store = resolveStoreConfig(options.dsn, options.database, dataRoot);
    if (windowless) {
        const auto run = reinterpret_cast<RunCommand>(barModule(RunCommandName, nullptr));
        return run ? run(options, store) : 1;
    }

    quitOnTerminationSignals(*app);
    QApplication::setFont(DialogUnits::dialogFont());
    QApplication::setQuitOnLastWindowClosed(false);
    QtMessenger messenger;
    // One bar per data folder: a second start brings the first forward and leaves, before it
    // shows anything of its own. The lock is a file; the bus comes in once the bar stands.
    InstanceGuard instance;
    if (dataRoot != earlyRoot)
        lockAhead = {};
    switch (instance.claim(dataRoot, !options.newInstance, std::move(lockAhead))) {
    case InstanceGuard::Claim::Raised:
        return 0;
    case InstanceGuard::Claim::Busy: {
        const QString text = InstanceGuard::busyText(dataRoot);
        std::fprintf(stderr, "vantrel: %s\n", qPrintable(text));
        messenger.inform(text.toStdString());
        return 1;
    }
    case InstanceGuard::Claim::Owned:
    case InstanceGuard::Claim::Unwritable: // the data files say so once the bar is up
        break;
    }
    // The splash is the first thing the user sees: it is up before the rest of the start, and
    // the bar takes it over once it stands.
    SplashScreen *splash = nullptr;
    if (options.splash) {
        splash = SplashScreen::show(prebuiltSplash());
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    const auto run = reinterpret_cast<RunBar>(barModule(RunBarName, &messenger));
    if (!run)
        return 1;
    BarStart start{options,
                   dataRoot,
                   store,
                   *static_cast<QApplication *>(app.get()),
                   instance,
                   splash,
                   terminationRequested};
    return run(start);
}
