#include "core/common/clock.h"
#include "gui/common/qtmessenger.h"
#include "gui/controls/dialogunits.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/mainbar.h"
#include "gui/shell/program.h"
#include "platform/common/commandline.h"
#include "platform/net/simulatorprocess.h"

#include <QApplication>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>

#include <clocale>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Numbers are read and written the C way whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setApplicationVersion(QStringLiteral("2.3.0"));
    QApplication::setFont(DialogUnits::dialogFont());
    QApplication::setQuitOnLastWindowClosed(false);

    AppOptions options = parseCommandLine(QApplication::arguments(),
                                          [](const char *name) { return qEnvironmentVariable(name); });
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "vantrel: %s\n", qPrintable(options.error));
        return 2;
    }
    if (options.helpRequested || options.versionRequested) {
        QTextStream(stdout) << (options.helpRequested ? options.helpText : QStringLiteral("Vantrel Pro 2.3.0\n"));
        return 0;
    }

    QtMessenger messenger;
    SimulatorProcess simulator;
    std::string startWarning;
    if (needsSimulator(options.services)) {
        const QString program = SimulatorProcess::locate();
        if (!program.isEmpty() &&
            simulator.start(program, {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--always-open")})) {
            useSimulatorFor(options.services, simulator.baseUrl().toStdString());
        } else {
            // The bar still starts: it shows the red dot until a service answers.
            startWarning = "The simulated market could not be started" +
                           (program.isEmpty() ? std::string(": vantrel-sim was not found beside vantrel")
                                              : ": " + simulator.errorText().toStdString());
            useSimulatorFor(options.services, "http://127.0.0.1:9");
        }
    }

    SystemClock clock;
    AppContext context(options.services, messenger, clock);
    Program program(context);
    MainBar &bar = program.bar();
    messenger.setParent(&bar);
    QObject::connect(&bar, &MainBar::closing, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    program.start(options.splash);
    if (!startWarning.empty())
        QTimer::singleShot(0, &bar, [&messenger, startWarning] { messenger.inform(startWarning); });
    return app.exec();
}
