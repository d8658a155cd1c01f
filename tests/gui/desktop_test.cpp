#include "gui/charts/historicalchartpanel.h"
#include "gui/shell/panelhost.h"
#include "gui/ticker/tickerbar.h"
#include "gui/watch/watchlistmodel.h"
#include "gui/watch/watchlistpanel.h"
#include "platform/shell/instanceguard.h"
#include "platform/shell/usersettings.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"

#include <QAbstractButton>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QSlider>
#include <QSystemTrayIcon>

namespace {
constexpr const char *StandInName = "notification-stand-in";

// A desktop's notification server on the private session bus: records, and clicks one.
class StandInNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Shown
    {
        QString summary, body;
        QStringList actions;
        uint id;
    };
    std::vector<Shown> shown;

    bool start()
    {
        QDBusConnection bus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, StandInName);
        return bus.registerObject("/org/freedesktop/Notifications", this,
                                  QDBusConnection::ExportAllSlots) &&
               bus.registerService("org.freedesktop.Notifications");
    }
    void click(uint id)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            "/org/freedesktop/Notifications", "org.freedesktop.Notifications", "ActionInvoked");
        signal << id << QStringLiteral("default");
        QDBusConnection(StandInName).send(signal);
    }

public slots:
    uint Notify(const QString &, uint, const QString &, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &, int)
    {
        const uint id = uint(shown.size()) + 41;
        shown.push_back({summary, body, actions, id});
        return id;
    }
};
} // namespace

// The program as a desktop citizen, on a private session bus and a platform with no tray.
class DesktopTest : public QObject
{
    Q_OBJECT
    GuiBed bed;
    StandInNotifications server;

private slots:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "needs a session bus");
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        QVERIFY(server.start());
        QVERIFY2(bed.startSim(), qPrintable(bed.sim.errorText()));
    }

    void alertsGoOutAsNotificationsAndTheBarComesBackAsItWasLeft()
    {
        bed.makeProgram();
        QVERIFY(bed.openDatabase());
        QVERIFY(bed.ctx->database.watchList()
                    .save({{"Infosys Limited", "NSE", "INFY"},
                           {"Tata Consultancy Services Limited", "NSE", "TCS", 1, 1, 2}})
                    .ok());
        bed.program->start();
        WatchListPanel *panel = bed.program->watchList();
        ::control<QAbstractButton>(panel, "alertsPopUp")->click();
        QVERIFY(bed.refreshOnce());

        // TCS trades far above its band of 1 to 2 rupees: one notification names it, its price
        // and its band; the other stock has no alert.
        QTRY_COMPARE(server.shown.size(), std::size_t(1));
        const auto &n = server.shown.front();
        const QString price = panel->model()->index(1, watchcol::Price).data().toString();
        QCOMPARE(n.summary + "\n" + n.body,
                 "TCS (NSE) above its UPPER LIMIT\nTata Consultancy Services Limited\nPrice " +
                     price + ", band 1.00 to 2.00");
        QVERIFY(n.actions.contains("default"));
        // The box says so too, once the refresh is over.
        QTRY_VERIFY(!bed.messenger.shown.empty() &&
                    bed.messenger.shown[0].ends_with("Limited::above UPPER LIMIT of 2.00\n\n"));

        bed.program->bar().hideToTray();
        server.click(n.id + 1000); // someone else's notification
        QTest::qWait(50);
        QVERIFY(!bed.program->panels().visibleFlag(PanelKind::WatchList));
        server.click(n.id);
        QTRY_VERIFY(bed.program->panels().visibleFlag(PanelKind::WatchList));
        QVERIFY(bed.program->bar().isVisible());

        // The live label's changes are news too where no tray tip shows them; the first is not.
        bed.program->bar().setLiveLabel("LIVE via batch");
        bed.program->bar().setLiveLabel("DELAYED 15 min");
        QTRY_COMPARE(server.shown.size(), std::size_t(2));
        QCOMPARE(server.shown.back().body, QStringLiteral("DELAYED 15 min"));

        // The bar's place, its z-order and the open panel outlive the run; a corner is kept as a
        // corner, a dragged bar as its point.
        UserSettings settings(bed.path("settings/vantrel.ini"));
        const auto run = [&] {
            bed.makeProgram();
            bed.ctx->settings = &settings;
            bed.program->start();
            return &bed.program->bar();
        };
        MainBar *bar = run();
        bar->place(BarPreset::BottomRight);
        const QPoint corner = bar->pos();
        bar->setAlwaysOnTop(false);
        bed.program->panels().press(PanelKind::Indices);

        bar = run();
        QCOMPARE(bar->pos(), corner);
        QVERIFY(!bar->alwaysOnTop() && !bar->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
                bed.program->panels().visibleFlag(PanelKind::Indices));
        bed.program->panels().press(PanelKind::Indices); // closed: none opens next time
        bar->move(corner - QPoint(40, 30));              // as a drag leaves it

        bed.program->openTicker();
        bed.program->ticker()->findChild<QSlider *>("speed")->setValue(250);

        bar = run();
        QCOMPARE(bar->pos(), corner - QPoint(40, 30));
        QVERIFY(!bed.program->panels().visibleFlag(PanelKind::Indices));
        bed.program->openTicker();
        QCOMPARE(bed.program->ticker()->findChild<QSlider *>("speed")->value(), 250);

        // A chart window the user made bigger opens at that size the next time.
        QWidget *chart = openHistoricalChart(*bed.ctx, bar, "Infosys Limited", "NSE", "INFY");
        const QSize bigger = chart->size() + QSize(120, 80);
        chart->resize(bigger);
        chart->close();
        chart = openHistoricalChart(*bed.ctx, bar, "Infosys Limited", "NSE", "INFY");
        QCOMPARE(chart->size(), bigger);
        chart->close();
        // A point on no screen (a monitor since unplugged) gives the top centre.
        settings.setBarPosition(QPoint(-20000, -20000));
        bar = run();
        QVERIFY(QGuiApplication::screenAt(bar->geometry().center()));
        bed.reset();
    }

    // The built program, started twice on one data folder.
    void aSecondStartRaisesTheFirstAndTwoNeverShareAFolder()
    {
        const QString program = qEnvironmentVariable("VANTREL_PROGRAM");
        if (program.isEmpty())
            QSKIP("VANTREL_PROGRAM names the built program");
        const QString folder = bed.path("shared-folder");
        const QStringList args{"--no-splash", "--quote-url", bed.sim.baseUrl(), "--data-dir",
                               folder};
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", bed.path("config"));
        QProcess first, second, third;
        for (QProcess *p : {&first, &second, &third})
            p->setProcessEnvironment(env);
        first.start(program, args);
        QVERIFY(first.waitForStarted());
        const QString service = InstanceGuard::serviceNameFor(folder);
        QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
        QTRY_VERIFY_WITH_TIMEOUT(bus->isServiceRegistered(service).value(), 20000);

        // The second start asks the first forward and leaves at once, having written nothing.
        second.start(program, args);
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        // --new-instance on the same folder is refused: it says so (in a box, and on the
        // standard error where the test reads it) and leaves the folder to the first.
        third.start(program, args + QStringList{"--new-instance"});
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT(
            (said += third.readAllStandardError()).contains("already running with the data folder"),
            20000);
        third.kill();
        third.waitForFinished(5000);

        // A folder whose bar died without a word is free again.
        first.kill();
        QVERIFY(first.waitForFinished(5000));
        InstanceGuard guard;
        QCOMPARE(guard.claim(folder), InstanceGuard::Claim::Owned);
    }

    void cleanupTestCase() { QDBusConnection::disconnectFromBus(StandInName); }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
