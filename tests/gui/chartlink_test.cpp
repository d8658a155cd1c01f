#include "core/watch/watchlist.h"
#include "gui/chartlink/chartlinkdialog.h"
#include "gui/controls/stocklist.h"
#include "gui/watch/watchlistpanel.h"
#include "platform/chartlink/backfillrunner.h"
#include "platform/chartlink/chartfeed.h"
#include "support/cannedhttpserver.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>

#include <unistd.h>

// The ways a charting program can answer a call badly; Hold keeps the call until release().
enum class PeerFault { None, Down, Error, Hang, Drop, Garbage, Slow, BigInput, Hold };

// The charting program on the test's private bus, on a connection of its own so that it can
// leave as an exiting program would; it records every call and plays the faults it is given.
class StandInBridge : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.vantrel.ChartBridge1")
public:
    static constexpr const char *ConnectionName = "stand-in";

    QStringList calls;               // "Method" or "Method:arguments"
    QMap<QString, PeerFault> faults; // by method, every call
    QMap<QString, PeerFault> once;   // by the call's start, the next such call only
    QDBusMessage held;

    QDBusConnection bus() const { return QDBusConnection(ConnectionName); }
    // Joins the bus (again, after leaving it) with the bridge's object; the name comes apart.
    bool join()
    {
        QDBusConnection c = bus();
        if (!c.isConnected())
            c = QDBusConnection::connectToBus(QDBusConnection::SessionBus, ConnectionName);
        return c.isConnected() &&
               (c.objectRegisteredAt(ChartBridge::Path) ||
                c.registerObject(ChartBridge::Path, this, QDBusConnection::ExportAllSlots));
    }
    bool holding() const { return held.type() == QDBusMessage::MethodCallMessage; }
    void release() { bus().send(std::exchange(held, QDBusMessage()).createReply()); }
    QStringList since(qsizetype mark, const QString &method) const
    {
        QStringList out;
        for (const QString &call : calls.mid(mark))
            if (call.startsWith(method))
                out << call.section(':', 1, 1);
        return out;
    }

public slots:
    void Connect() { note("Connect"); }
    void FeedQuotes(const QString &feed) { note("FeedQuotes:" + feed); }
    void SyncStockList(const QString &symbols) { note("SyncStockList:" + symbols); }
    void DeleteAllStocks() { note("DeleteAllStocks"); }
    void BackfillStock(const QString &name, const QString &bars)
    {
        note("BackfillStock:" + name + ":" + bars);
    }

private:
    void note(const QString &call)
    {
        calls << call;
        PeerFault fault = faults.value(call.section(':', 0, 0), PeerFault::None);
        for (auto it = once.begin(); it != once.end(); ++it)
            if (call.startsWith(it.key())) {
                fault = it.value();
                once.erase(it);
                break;
            }
        const QDBusMessage m = message();
        if (fault != PeerFault::None && fault != PeerFault::Error)
            setDelayedReply(true); // a Hang is never answered
        if (fault == PeerFault::Error)
            sendErrorReply(QDBusError::Failed, "refused");
        else if (fault == PeerFault::Hold)
            held = m;
        else if (fault == PeerFault::Drop) // the program exits before it answers
            QTimer::singleShot(0, this, [] { QDBusConnection::disconnectFromBus(ConnectionName); });
        else if (fault == PeerFault::Garbage) // values of types the interface never returns
            bus().send(m.createReply({42, QStringLiteral("\u00ff\u0001nonsense"),
                                      QVariant::fromValue(QByteArray(3, 0))}));
        else if (fault == PeerFault::Slow)
            QTimer::singleShot(1000, this, [this, m] { bus().send(m.createReply()); });
    }
};

// The chart link inside the real program: three NSE stocks and one BSE stock watched, the
// simulated market, a canned chart-data service and the stand-in charting program.
class ChartLinkTest : public QObject
{
    Q_OBJECT
    GuiBed bed;
    StandInBridge standIn;
    CannedHttpServer chartData{chartReply()};
    QString programName = QString("chartbook-test-%1").arg(QCoreApplication::applicationPid());

    static QByteArray chartReply()
    {
        QByteArray reply;
        for (int i = 0; i < 14; ++i)
            reply += "header line " + QByteArray::number(i) + "\n";
        return reply + "1733300100,100,101,99,100.5,1200\n1733300160,100.5,102,100,101,900\n";
    }
    ChartLinkDialog *dialog() const { return bed.program->chartLink(); }
    template <typename W> W *child(const char *name) const { return ::control<W>(dialog(), name); }
    void click(const char *name) const { child<QAbstractButton>(name)->click(); }
    bool enabled(const char *name) const { return child<QAbstractButton>(name)->isEnabled(); }
    QString label() const { return child<QLabel>("backfillName")->text(); }
    void open()
    {
        dialog()->prepare();
        dialog()->show();
    }
    bool serveBridge(bool on)
    {
        if (on && !standIn.join())
            return false;
        const QString name = ChartBridge::DefaultService;
        return on ? standIn.bus().registerService(name) : standIn.bus().unregisterService(name);
    }
    // The backfill's kind started, and what was handed over until it is Done.
    QStringList backfilled(const char *kind)
    {
        const qsizetype mark = standIn.calls.size();
        click(kind);
        [&] { QTRY_COMPARE_WITH_TIMEOUT(label(), BackfillRunner::Done, 60000); }();
        return standIn.since(mark, "BackfillStock");
    }
    // The backfill stopped while it waits on the chart data for TCS.
    void stopAtTcs(const char *kind)
    {
        chartData.holdTarget = "TCS.NS";
        click(kind);
        QTRY_VERIFY(chartData.holding());
        click("stopBackfill");
    }
    enum Action { Open, Sync, Feed, Backfill };
    // What the user does, up to where the program is done with it.
    void act(int action)
    {
        if (action == Open) {
            open();
            QTRY_VERIFY_WITH_TIMEOUT(dialog()->bridge().pending() == 0, 30000);
        } else if (action == Sync) {
            click("syncStockList");
            QTRY_VERIFY_WITH_TIMEOUT(enabled("closeDialog"), 30000);
        } else if (action == Feed) {
            QVERIFY(bed.refreshOnce());
            QTRY_VERIFY_WITH_TIMEOUT(!bed.program->chartFeed()->busy(), 30000);
        } else {
            backfilled("backfillOneMinute");
        }
    }

private slots:
    void initTestCase() { QVERIFY(bed.startSim() && chartData.start()); }
    void init()
    {
        standIn.calls.clear();
        standIn.faults.clear();
        standIn.once.clear();
        if (QDBusConnection::sessionBus().isConnected())
            QVERIFY(serveBridge(true));
        bed.clock.set(makeLocalTime(2026, 12, 4, 11, 0, 0));
        bed.makeProgram();
        QVERIFY(bed.openDatabase());
        QVERIFY(bed.ctx->database.watchList()
                    .save({{"Infosys Limited", "NSE", "INFY"},
                           {"Reliance Industries", "BSE", "500325"},
                           {"Tata Consultancy Services", "NSE", "TCS"},
                           {"ACC Limited", "NSE", "ACC"}})
                    .ok());
        bed.ctx->services.chartData = chartData.baseUrl().toStdString();
        bed.ctx->chartbookProgram = programName;
        bed.program->start();
    }
    void cleanup() { bed.reset(); }

    void syncDeleteAllKillAllThenFeedAndBackfillStopsResumesAndRestarts()
    {
        open();
        click("syncStockList");
        QCOMPARE(child<QLabel>("syncStatus")->text(), ChartLinkDialog::SyncInProgress);
        QVERIFY(!enabled("closeDialog") && !enabled("startFeeding") && !enabled("killAll"));
        QTRY_VERIFY(enabled("closeDialog"));
        QVERIFY(child<QLabel>("syncStatus")->text().isEmpty());
        QCOMPARE(standIn.calls.last(), "SyncStockList:INFY,TCS,ACC,NIFTY,SENSEX,");

        click("deleteAllStocks"); // answered No
        bed.messenger.setNextAnswer(true);
        click("deleteAllStocks");
        QTRY_COMPARE(standIn.calls.last(), "DeleteAllStocks");
        QCOMPARE(standIn.since(0, "DeleteAllStocks").size(), 1);
        // Asked twice, and nothing else said: not "not running", no failure.
        QCOMPARE(bed.messenger.shown, std::vector<std::string>(2, ChartLinkDialog::DeleteQuestion));
        // A refused Delete All is told, not passed over as done.
        standIn.once["DeleteAllStocks"] = PeerFault::Error;
        bed.messenger.setNextAnswer(true);
        click("deleteAllStocks");
        QTRY_COMPARE(bed.messenger.count(ChartLinkDialog::DeleteFailed), 1);

        // Real processes: two of the program's file end; its name in capitals, a longer name and
        // (when the test can run one) another user's instance survive.
        QTemporaryDir shared;
        QVERIFY(QFile::setPermissions(shared.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                         QFile::ExeOwner | QFile::ReadOther |
                                                         QFile::ExeOther));
        const bool root = ::getuid() == 0;
        const QString files[] = {bed.path(programName), bed.path(programName),
                                 bed.path(programName.toUpper()), bed.path(programName + "-old"),
                                 shared.filePath(programName)};
        QProcess p[5]; // first, second, upper, longer, another user's
        p[4].setChildProcessModifier([] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(126);
        });
        for (int i = 0; i < (root ? 5 : 4); ++i) {
            QVERIFY(i == 1 || QFile::copy("/bin/sleep", files[i])); // the second runs the first's
            p[i].start(files[i], {"600"});
            QVERIFY(p[i].waitForStarted());
        }

        click("killAll");
        QVERIFY(p[0].waitForFinished(20000) && p[1].waitForFinished(20000));
        const QString shown = QString::fromStdString(bed.messenger.shown.back());
        QVERIFY2(shown.startsWith("Ended 2 running instances of " + programName + "."),
                 qPrintable(shown));
        QVERIFY(shown.contains("All instances of Ami Broker are closed"));
        for (int i = 2; i < (root ? 5 : 4); ++i)
            QVERIFY2(!p[i].waitForFinished(200) && p[i].state() == QProcess::Running,
                     qPrintable(files[i]));

        click("killAll"); // none left: says so
        QVERIFY(QString::fromStdString(bed.messenger.shown.back())
                    .startsWith("Ended 0 running instances of " + programName + "."));
        for (QProcess &process : p) {
            process.kill();
            process.waitForFinished(20000);
        }

        click("startFeeding");
        QVERIFY(!enabled("startFeeding") && !enabled("syncStockList") && !enabled("killAll") &&
                !enabled("backfillOneMinute") && enabled("stopFeeding"));
        emit bed.program->watchList()->listView()->horizontalHeader()->sectionClicked(0);
        QCOMPARE(bed.messenger.count(WatchList::FeedingSortMessage), 1); // the rule is core's

        // A refresh that comes while the last feed is still under way feeds nothing.
        standIn.once["FeedQuotes"] = PeerFault::Hold;
        QVERIFY(bed.refreshOnce());
        QTRY_VERIFY(standIn.holding());
        QVERIFY(bed.refreshOnce());
        standIn.release();
        // The held call's answer comes back through the bus; until it has, a refresh feeds nothing.
        QTRY_VERIFY(!bed.program->chartFeed()->busy());
        act(Feed);
        const QStringList feeds = standIn.since(0, "FeedQuotes");
        // The held feed and the next: the bar's indices, the watch list's stocks (records: core's).
        QVERIFY2(feeds.size() == 2 && feeds[1].startsWith("NIFTY,") && feeds[1].contains("*INFY,"),
                 qPrintable(feeds.join(" | ")));

        // Out of market hours nothing is fed.
        bed.clock.set(makeLocalTime(2026, 12, 4, 18, 0, 0));
        QVERIFY(bed.refreshOnce());
        QVERIFY(!bed.program->chartFeed()->busy()); // a feed begun now would wait on its call

        click("stopFeeding");
        QVERIFY(enabled("startFeeding") && enabled("killAll") && !enabled("stopFeeding"));

        auto *progress = child<QProgressBar>("backfillProgress");
        QSignalSpy percent(progress, &QProgressBar::valueChanged);
        click("backfillOneMinute");
        QVERIFY(!enabled("closeDialog") && enabled("stopBackfill") && progress->isVisible());
        QTRY_COMPARE(label(), BackfillRunner::Done);
        QVERIFY(standIn.calls.last().endsWith(
            ":1733300100,100,101,99,100.5,1200*1733300160,100.5,102,100,101,900*"));
        QList<int> seen;
        for (const QList<QVariant> &s : percent)
            if (s.first().toInt() > 0)
                seen << s.first().toInt();
        QCOMPARE(seen, (QList<int>{1, 17, 34, 51, 67, 84}));
        QVERIFY(!progress->isVisible() && enabled("closeDialog") && !enabled("stopBackfill"));

        // Stopped while the third stock downloads: the same kind starts again with it.
        stopAtTcs("backfillOneMinute");
        chartData.release();
        QCOMPARE(backfilled("backfillOneMinute"), (QStringList{"TCS", "ACC"}));

        // Stopped while a stock is handed over: it is loaded; the other kind begins at NIFTY.
        standIn.once["BackfillStock:INFY"] = PeerFault::Hold;
        click("backfillOneMinute");
        QTRY_VERIFY(standIn.holding());
        click("stopBackfill");
        QCOMPARE(label(), BackfillRunner::Stopping);
        standIn.release();
        QTRY_COMPARE(label(), BackfillRunner::Stopped);
        QCOMPARE(backfilled("backfillFiveMinute"),
                 (QStringList{"NIFTY", "SENSEX", "INFY", "TCS", "ACC"}));
        // Five-minute replies lose 19 lines: the paths and the header blocks are the core's.
        QVERIFY2(standIn.calls.last().endsWith("ACC:"), "not the five-minute kind");

        // Synchronize in between: the same kind begins at NIFTY too.
        stopAtTcs("backfillFiveMinute");
        chartData.release();
        act(Sync);
        QCOMPARE(backfilled("backfillFiveMinute").first(), "NIFTY");
    }

    // Each call against each failure of the charting program: told at most once per action,
    // and the same action goes through silently once the program is back.
    void faultyChartingProgram_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message"); // told once, when there is one
        const QString notRunning(ChartLinkDialog::NotRunning), failed(ChartFeed::FeedFailed),
            dll(ChartFeed::BridgeUnavailable);
        // What opening, feeding and backfilling tell under each fault.
        const std::tuple<const char *, PeerFault, QString, QString, QString> rows[] = {
            {"down", PeerFault::Down, notRunning, failed, dll},
            {"error", PeerFault::Error, notRunning, failed, {}},
            {"hang", PeerFault::Hang, notRunning, failed, {}},
            // The first stock's call is lost with the program; the others find nobody.
            {"drop", PeerFault::Drop, notRunning, failed, dll},
            {"garbage", PeerFault::Garbage, {}, {}, {}},
            {"slow", PeerFault::Slow, {}, {}, {}},
        };
        for (const auto &[name, fault, onOpen, onFeed, onBackfill] : rows) {
            QTest::addRow("open %s", name) << int(Open) << int(fault) << onOpen;
            QTest::addRow("sync %s", name) << int(Sync) << int(fault) << QString();
            QTest::addRow("feed %s", name) << int(Feed) << int(fault) << onFeed;
            QTest::addRow("backfill %s", name) << int(Backfill) << int(fault) << onBackfill;
        }
        QTest::addRow("backfill 1 MB line")
            << int(Backfill) << int(PeerFault::BigInput) << QString();
    }
    void faultyChartingProgram()
    {
        QFETCH(int, action);
        QFETCH(int, fault);
        QFETCH(QString, message);
        const std::vector<std::string> told(message.isEmpty() ? 0 : 1, message.toStdString());
        const QString method =
            QStringList{"Connect", "SyncStockList", "FeedQuotes", "BackfillStock"}[action];
        const auto peerFault = static_cast<PeerFault>(fault);
        dialog()->setCallTimeoutMs(1500);
        bed.program->chartFeed()->bridge().setTimeoutMs(1500);
        if (action != Open)
            act(Open);
        if (action == Feed) {
            click("startFeeding");
            act(Feed); // a first cycle goes through, so the program leaves mid-session
        }
        const QByteArray bigLine(1024 * 1024, '7');
        if (peerFault == PeerFault::Down)
            QVERIFY(serveBridge(false));
        else if (peerFault == PeerFault::BigInput)
            chartData.setBody(chartReply() + bigLine + "\n");
        else
            standIn.faults[method] = peerFault;
        bed.messenger.shown.clear();
        qsizetype mark = standIn.calls.size();

        act(action);
        QCOMPARE(bed.messenger.shown, told);
        if (peerFault == PeerFault::BigInput) {
            const QStringList handed = standIn.calls.mid(mark).filter("BackfillStock:");
            QCOMPARE(handed.size(), 5);
            QVERIFY(handed.last().contains(QString::fromLatin1(bigLine)));
        }

        standIn.faults.clear();
        chartData.setBody(chartReply());
        QVERIFY(serveBridge(true));
        mark = standIn.calls.size();
        act(action);
        QCOMPARE(bed.messenger.shown, told);
        QVERIFY(!standIn.since(mark, method).isEmpty());
        // After a failed feed the charting program is connected again first.
        QVERIFY(action != Feed || told.empty() || standIn.calls.value(mark) == "Connect");
    }

    // Run on its own with no session bus to reach (gui_chartlink_nobus).
    void noSessionBus()
    {
        if (QDBusConnection::sessionBus().isConnected())
            QSKIP("a session bus is reachable here");
        open();
        QCOMPARE(bed.messenger.count(ChartLinkDialog::NoBridge), 1);
        act(Sync);
        bed.program->chartFeed()->cycle("NIFTY,1.00,2.00,0");
        QCOMPARE(bed.messenger.count(ChartFeed::BridgeUnavailable), 1);
    }
};

QTEST_MAIN(ChartLinkTest)
#include "chartlink_test.moc"
