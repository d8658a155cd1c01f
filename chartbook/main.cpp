// vantrel-chartbook: the reference charting program behind the chart bridge. It owns the
// bridge's service name on the session bus, keeps the stock list and the bars it is fed in
// its own SQLite file under the data root, and draws the selected stock's candles.
#include "bridge/bridgeservice.h"
#include "chartbridgeadaptor.h"
#include "store/barstore.h"
#include "window/chartbookwindow.h"

#include "platform/store/storeconfig.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QTextStream>

namespace {
constexpr const char *DefaultService = "org.vantrel.ChartBridge";
constexpr const char *ObjectPath = "/Bridge";

int fail(const QString &text)
{
    QTextStream(stderr) << "vantrel-chartbook: " << text << '\n';
    return 1;
}
} // namespace

int main(int argc, char *argv[])
{
    // --help needs no display: answered before the window system is reached.
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--help" || arg == "-h" || arg == "-?") {
            QTextStream(stdout)
                << "Usage: vantrel-chartbook [--data-dir DIR] [--bridge-service NAME]\n"
                   "The reference charting program for Vantrel's chart link.\n\n"
                   "  --data-dir DIR          Data folder (default: $VANTREL_HOME, else "
                   "~/Vantrel if it exists,\n"
                   "                          else ~/.local/share/vantrel).\n"
                   "  --bridge-service NAME   Session-bus name to own (default: "
                   "$VANTREL_BRIDGE_SERVICE, else org.vantrel.ChartBridge).\n";
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantrel-chartbook"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The reference charting program for Vantrel's chart link."));
    parser.addHelpOption();
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        QStringLiteral("Data folder (default: $VANTREL_HOME, else ~/Vantrel if it exists, else "
                       "~/.local/share/vantrel)."),
        QStringLiteral("dir"));
    const QCommandLineOption service(
        QStringLiteral("bridge-service"),
        QStringLiteral("Session-bus name to own (default: $VANTREL_BRIDGE_SERVICE, else %1).")
            .arg(QString::fromLatin1(DefaultService)),
        QStringLiteral("name"));
    parser.addOptions({dataDir, service});
    parser.process(app);

    QString serviceName = parser.value(service);
    if (serviceName.isEmpty())
        serviceName = qEnvironmentVariable("VANTREL_BRIDGE_SERVICE");
    if (serviceName.isEmpty())
        serviceName = QString::fromLatin1(DefaultService);

    const QString root = resolveDataRoot(parser.value(dataDir));
    if (!QDir().mkpath(root))
        return fail(QStringLiteral("cannot create the data folder %1").arg(root));
    BarStore store;
    QString error;
    if (!store.open(QDir(root).filePath(QStringLiteral("ChartBook.sqlite")), error))
        return fail(QStringLiteral("cannot open the bar store: %1").arg(error));

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return fail(QStringLiteral("no session bus: %1").arg(bus.lastError().message()));
    BridgeService bridge(store);
    new ChartBridgeAdaptor(&bridge);
    // The object is there before the name is, so a caller who sees the name can call at once.
    if (!bus.registerObject(QString::fromLatin1(ObjectPath), &bridge))
        return fail(QStringLiteral("cannot serve %1").arg(QString::fromLatin1(ObjectPath)));
    if (!bus.registerService(serviceName))
        return fail(QStringLiteral("cannot own %1 on the session bus (another charting program "
                                   "running?): %2")
                        .arg(serviceName, bus.lastError().message()));

    ChartBookWindow window(store, bridge, serviceName);
    window.show();
    return QApplication::exec();
}
