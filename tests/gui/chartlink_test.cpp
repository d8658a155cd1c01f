#include "core/chartlink/instancekiller.h"
#include "core/watch/watchlist.h"
#include "gui/chartlink/chartlinkdialog.h"
#include "gui/controls/stocklist.h"
#include "gui/watch/watchlistpanel.h"
#include "platform/chartlink/backfillrunner.h"
#include "platform/chartlink/chartfeed.h"
#include "platform/chartlink/processtable.h"
#include "support/cannedhttpserver.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <unistd.h>

// The ways a charting program can answer a call badly.
enum class PeerFault { None, Down, Error, Hang, Drop, Garbage, Slow, BigInput };

// Stands in for the charting program on the test's private bus, on a connection of its own so
// that it can leave the bus as a program that exits would: it records every call, and fails or
// holds back the calls it is told to.
class StandInBridge : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.vantrel.ChartBridge1")
public:
    static constexpr int SlowMs = 1000;
    static constexpr const char *ConnectionName = "stand-in";

    QStringList calls;   // "Method" or "Method:arguments"
    QStringList failing; // methods whose next call answers with an error
    QString holdCall;    // the next call that starts with this waits for release()
    QDBusMessage held;
    QMap<QString, PeerFault> faults; // every call of these methods plays the fault

    QDBusConnection bus() const { return QDBusConnection(QString::fromLatin1(ConnectionName)); }
    // Joins the bus (again, after leaving it) with the bridge's object; the name comes apart.
    bool join()
    {
        QDBusConnection c = bus();
        if (!c.isConnected())
            c = QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                              QString::fromLatin1(ConnectionName));
        return c.isConnected() && (c.objectRegisteredAt(QString::fromLatin1(ChartBridge::Path)) ||
                                   c.registerObject(QString::fromLatin1(ChartBridge::Path), this,
                                                    QDBusConnection::ExportAllSlots));
    }
    bool holding() const { return held.type() == QDBusMessage::MethodCallMessage; }
    void release()
    {
        bus().send(held.createReply());
        held = QDBusMessage();
    }
    QStringList since(qsizetype mark, const QString &method) const
    {
        QStringList out;
        for (qsizetype i = mark; i < calls.size(); ++i)
            if (calls[i].startsWith(method))
                out << calls[i].section(QLatin1Char(':'), 1, 1);
        return out;
    }

public slots:
    void Connect() { note(QStringLiteral("Connect")); }
    void FeedQuotes(const QString &feed) { note("FeedQuotes:" + feed); }
    void SyncStockList(const QString &symbols) { note("SyncStockList:" + symbols); }
    void DeleteAllStocks() { note(QStringLiteral("DeleteAllStocks")); }
    void BackfillStock(const QString &name, const QString &bars)
    {
        note("BackfillStock:" + name + ":" + bars);
    }

private:
    void note(const QString &call)
    {
        calls << call;
        const QString method = call.section(QLatin1Char(':'), 0, 0);
        if (failing.removeOne(method)) {
            sendErrorReply(QDBusError::Failed, QStringLiteral("refused"));
        } else if (!holdCall.isEmpty() && call.startsWith(holdCall)) {
            holdCall.clear();
            setDelayedReply(true);
            held = message();
        } else {
            play(faults.value(method, PeerFault::None));
        }
    }
    void play(PeerFault fault)
    {
        const QDBusMessage call = message();
        switch (fault) {
        case PeerFault::Error:
            sendErrorReply(QDBusError::Failed, QStringLiteral("refused"));
            break;
        case PeerFault::Hang:
            setDelayedReply(true); // and never answered
            break;
        case PeerFault::Drop:
            // The program exits before it answers.
            setDelayedReply(true);
            QTimer::singleShot(0, this, [] {
                QDBusConnection::disconnectFromBus(QString::fromLatin1(ConnectionName));
            });
            break;
        case PeerFault::Garbage: // values of types the interface never returns
            setDelayedReply(true);
            bus().send(call.createReply({42, QStringLiteral("\u00ff\u0001nonsense"),
                                         QVariant::fromValue(QByteArray(3, 0))}));
            break;
        case PeerFault::Slow:
            setDelayedReply(true);
            QTimer::singleShot(SlowMs, this, [this, call] { bus().send(call.createReply()); });
            break;
        default:
            break;
        }
    }
};

// The chart link inside the real program: a watch list of three NSE stocks and one BSE stock,
// the simulated market for the quotes, a canned chart-data service and the stand-in
// charting program.
class ChartLinkTest : public QObject
{
    Q_OBJECT
    GuiBed bed;
    StandInBridge standIn;
    CannedHttpServer chartData{chartReply()};
    QString programName =
        QStringLiteral("chartbook-test-%1").arg(QCoreApplication::applicationPid());

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
        QDBusConnection bus = standIn.bus();
        return on ? bus.registerService(QString::fromLatin1(ChartBridge::DefaultService))
                  : bus.unregisterService(QString::fromLatin1(ChartBridge::DefaultService));
    }
    QStringList storedWatchList() const
    {
        CompanyDatabase reader("chartlink-test-check");
        QStringList symbols;
        if (reader.open(resolveStoreConfig({}, bed.databaseFile(), {})).ok())
            if (auto rows = reader.watchList().load(); rows.ok())
                for (const WatchRow &row : rows.value())
                    symbols << QString::fromStdString(row.symbol);
        return symbols;
    }
    enum Action { Open, Sync, Feed, Backfill };
    // What the user does, up to where the program is done with it.
    void act(int action)
    {
        switch (action) {
        case Open:
            open();
            QTRY_VERIFY_WITH_TIMEOUT(dialog()->bridge().pending() == 0, 30000);
            break;
        case Sync:
            click("syncStockList");
            QTRY_VERIFY_WITH_TIMEOUT(enabled("closeDialog"), 30000);
            break;
        case Feed:
            QVERIFY(bed.refreshOnce());
            QTRY_VERIFY_WITH_TIMEOUT(!bed.program->chartFeed()->busy(), 30000);
            break;
        default:
            click("backfillOneMinute");
            QTRY_COMPARE_WITH_TIMEOUT(label(), QString(BackfillRunner::Done), 60000);
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(bed.startSim());
        QVERIFY(chartData.start());
    }

    void init()
    {
        standIn.calls.clear();
        standIn.failing.clear();
        standIn.faults.clear();
        if (QDBusConnection::sessionBus().isConnected())
            QVERIFY(serveBridge(true));
        {
            CompanyDatabase seeder("chartlink-test-seed");
            QVERIFY(seeder.open(resolveStoreConfig({}, bed.databaseFile(), {})).ok());
            QVERIFY(seeder.watchList()
                        .save({{"Infosys Limited", "NSE", "INFY"},
                               {"Reliance Industries", "BSE", "500325"},
                               {"Tata Consultancy Services", "NSE", "TCS"},
                               {"ACC Limited", "NSE", "ACC"}})
                        .ok());
        }
        bed.clock.set(makeLocalTime(2026, 12, 4, 11, 0, 0));
        startProgram(chartData.baseUrl().toStdString());
    }
    void startProgram(const std::string &chartDataUrl)
    {
        bed.makeProgram();
        QVERIFY(bed.openDatabase());
        bed.ctx->services.chartData = chartDataUrl;
        bed.ctx->chartbookProgram = programName;
        bed.program->start(false);
    }

    void cleanup() { bed.reset(); }

    void syncAndDeleteAll()
    {
        open();
        QTRY_VERIFY(standIn.calls.contains("Connect"));
        click("syncStockList");
        QCOMPARE(child<QLabel>("syncStatus")->text(), QString(ChartLinkDialog::SyncInProgress));
        QVERIFY(!enabled("closeDialog") && !enabled("startFeeding") && !enabled("killAll"));
        QTRY_VERIFY(enabled("closeDialog"));
        QVERIFY(enabled("startFeeding") && enabled("killAll"));
        QCOMPARE(child<QLabel>("syncStatus")->text(), QString());
        QCOMPARE(standIn.calls.last(), QString("SyncStockList:INFY,TCS,ACC,NIFTY,SENSEX,"));

        click("deleteAllStocks"); // answered No
        bed.messenger.setNextAnswer(true);
        click("deleteAllStocks");
        QTRY_COMPARE(standIn.calls.last(), QString("DeleteAllStocks"));
        QCOMPARE(standIn.since(0, "DeleteAllStocks").size(), 1);
        QCOMPARE(bed.messenger.count(ChartLinkDialog::DeleteQuestion), 2);
        QVERIFY(bed.messenger.count(ChartLinkDialog::NotRunning) == 0);
        QCOMPARE(bed.messenger.count(ChartLinkDialog::DeleteFailed), 0);

        // A refused Delete All is told, not passed over as done.
        standIn.failing << QStringLiteral("DeleteAllStocks");
        bed.messenger.setNextAnswer(true);
        click("deleteAllStocks");
        QTRY_COMPARE(bed.messenger.count(ChartLinkDialog::DeleteFailed), 1);
    }

    void feedCycles()
    {
        click("startFeeding");
        QVERIFY(!enabled("startFeeding") && !enabled("syncStockList") && !enabled("killAll") &&
                !enabled("backfillOneMinute"));
        QVERIFY(enabled("stopFeeding"));
        WatchListPanel *panel = bed.program->watchList();
        emit panel->listView()->horizontalHeader()->sectionClicked(0);
        QCOMPARE(bed.messenger.count(WatchList::FeedingSortMessage), 1); // the rule is core's

        // A refresh that comes while the last feed is still under way feeds nothing.
        for (int i = 0; i < 5 && standIn.since(0, "FeedQuotes").size() < 2; ++i) {
            QVERIFY(bed.refreshOnce());
            QTRY_VERIFY(!bed.program->chartFeed()->busy());
        }
        const QStringList feeds = standIn.since(0, "FeedQuotes");
        QCOMPARE(feeds.first(), QString()); // nothing is known before the first refresh
        const QString second = feeds[1];
        QVERIFY2(second.startsWith("NIFTY,") && second.contains("*SENSEX,") &&
                     second.contains("*INFY,") && second.contains("*TCS,") &&
                     second.contains("*ACC,") && !second.contains("500325"),
                 qPrintable(second));

        // Out of market hours nothing is fed; a failed feed is told and the next one tried.
        bed.clock.set(makeLocalTime(2026, 12, 4, 18, 0, 0));
        qsizetype mark = standIn.calls.size();
        QVERIFY(bed.refreshOnce());
        QCOMPARE(standIn.since(mark, "FeedQuotes").size(), 0);
        bed.clock.set(makeLocalTime(2026, 12, 4, 11, 5, 0));
        standIn.failing << "FeedQuotes";
        QVERIFY(bed.refreshOnce());
        QTRY_COMPARE(bed.messenger.count(ChartFeed::FeedFailed), 1);
        mark = standIn.calls.size();
        QVERIFY(bed.refreshOnce());
        QTRY_COMPARE(standIn.since(mark, "FeedQuotes").size(), 1);
        QCOMPARE(standIn.calls[mark], QString("Connect"));

        click("stopFeeding");
        QVERIFY(enabled("startFeeding") && enabled("killAll") && !enabled("stopFeeding"));
        mark = standIn.calls.size();
        QVERIFY(bed.refreshOnce());
        QCOMPARE(standIn.since(mark, "FeedQuotes").size(), 0);
    }

    void backfillStopsResumesAndRestarts()
    {
        open();
        auto *progress = child<QProgressBar>("backfillProgress");
        QSignalSpy percent(progress, &QProgressBar::valueChanged);
        qsizetype mark = standIn.calls.size();
        click("backfillOneMinute");
        QVERIFY(!enabled("closeDialog") && enabled("stopBackfill") && progress->isVisible());
        QTRY_COMPARE(label(), QString(BackfillRunner::Done));
        QCOMPARE(standIn.since(mark, "BackfillStock"),
                 (QStringList{"NIFTY", "SENSEX", "INFY", "TCS", "ACC"}));
        QVERIFY(standIn.calls.last().endsWith(
            ":1733300100,100,101,99,100.5,1200*1733300160,100.5,102,100,101,900*"));
        QList<int> seen;
        for (const QList<QVariant> &s : percent)
            if (s.first().toInt() > 0)
                seen << s.first().toInt();
        QCOMPARE(seen, (QList<int>{1, 17, 34, 51, 67, 84}));
        QVERIFY(!progress->isVisible() && enabled("closeDialog") && !enabled("stopBackfill"));

        // Stopped while the third stock downloads: the same kind starts again with it.
        chartData.holdTarget = "TCS.NS";
        mark = standIn.calls.size();
        click("backfillOneMinute");
        QTRY_VERIFY(chartData.holding());
        click("stopBackfill");
        QCOMPARE(label(), QString(BackfillRunner::Stopped));
        QVERIFY(enabled("closeDialog") && !enabled("stopBackfill"));
        chartData.release();
        QCOMPARE(standIn.since(mark, "BackfillStock"), (QStringList{"NIFTY", "SENSEX", "INFY"}));
        mark = standIn.calls.size();
        click("backfillOneMinute");
        QTRY_COMPARE(label(), QString(BackfillRunner::Done));
        QCOMPARE(standIn.since(mark, "BackfillStock"), (QStringList{"TCS", "ACC"}));

        // Stopped while a stock is being handed over: it is loaded, and the other kind then
        // begins at NIFTY.
        standIn.holdCall = QStringLiteral("BackfillStock:INFY");
        mark = standIn.calls.size();
        click("backfillOneMinute");
        QTRY_VERIFY(standIn.holding());
        click("stopBackfill");
        QCOMPARE(label(), QString(BackfillRunner::Stopping));
        QVERIFY(!enabled("closeDialog"));
        standIn.release();
        QTRY_COMPARE(label(), QString(BackfillRunner::Stopped));
        QCOMPARE(standIn.since(mark, "BackfillStock"), (QStringList{"NIFTY", "SENSEX", "INFY"}));
        mark = standIn.calls.size();
        click("backfillFiveMinute");
        QTRY_COMPARE(label(), QString(BackfillRunner::Done));
        QCOMPARE(standIn.since(mark, "BackfillStock"),
                 (QStringList{"NIFTY", "SENSEX", "INFY", "TCS", "ACC"}));
        // Five-minute replies lose 19 lines: the paths and the lines are the core's.
        QVERIFY2(standIn.calls.last().endsWith("ACC:"), "not the five-minute kind");

        // Synchronize in between: the same kind begins at NIFTY too.
        chartData.holdTarget = "TCS.NS";
        click("backfillFiveMinute");
        QTRY_VERIFY(chartData.holding());
        click("stopBackfill");
        chartData.release();
        click("syncStockList");
        QTRY_VERIFY(enabled("closeDialog"));
        mark = standIn.calls.size();
        click("backfillFiveMinute");
        QTRY_COMPARE(label(), QString(BackfillRunner::Done));
        QCOMPARE(standIn.since(mark, "BackfillStock").first(), QString("NIFTY"));
    }

    // Each call of the link against each way the charting program can fail it: the program
    // stays responsive, tells what it tells at most once per action (a backfill that cannot
    // reach the program tells it for the first stock only), keeps its own data, and once the
    // charting program is back the same action goes through without a word.
    void faultyChartingProgram_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("times");
        const QString notRunning(ChartLinkDialog::NotRunning), failed(ChartFeed::FeedFailed),
            dll(ChartFeed::BridgeUnavailable);
        struct Row
        {
            const char *name;
            PeerFault fault;
            QString open, feed, backfill;
            int backfillTimes;
        };
        const Row rows[] = {
            {"down", PeerFault::Down, notRunning, failed, dll, 1},
            {"error", PeerFault::Error, notRunning, failed, {}, 0},
            {"hang", PeerFault::Hang, notRunning, failed, {}, 0},
            // The first stock's call is lost with the program; the others find nobody.
            {"drop", PeerFault::Drop, notRunning, failed, dll, 1},
            {"garbage", PeerFault::Garbage, {}, {}, {}, 0},
            {"slow", PeerFault::Slow, {}, {}, {}, 0},
        };
        for (const Row &r : rows) {
            const int f = static_cast<int>(r.fault);
            QTest::addRow("open %s", r.name) << int(Open) << f << r.open << int(!r.open.isEmpty());
            QTest::addRow("sync %s", r.name) << int(Sync) << f << QString() << 0;
            QTest::addRow("feed %s", r.name) << int(Feed) << f << r.feed << int(!r.feed.isEmpty());
            QTest::addRow("backfill %s", r.name)
                << int(Backfill) << f << r.backfill << r.backfillTimes;
        }
        QTest::addRow("backfill 1 MB line")
            << int(Backfill) << static_cast<int>(PeerFault::BigInput) << QString() << 0;
    }
    void faultyChartingProgram()
    {
        QFETCH(int, action);
        QFETCH(int, fault);
        QFETCH(QString, message);
        QFETCH(int, times);
        const QString method =
            QStringList{"Connect", "SyncStockList", "FeedQuotes", "BackfillStock"}[action];
        const auto peerFault = static_cast<PeerFault>(fault);
        dialog()->setCallTimeoutMs(1500);
        bed.program->chartFeed()->bridge().setTimeoutMs(1500);
        if (action != Open) {
            open();
            QTRY_VERIFY(dialog()->bridge().pending() == 0);
        }
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
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(bed.messenger.shown.size(), std::size_t(times));
        QCOMPARE(bed.messenger.count(message.toStdString()), times);
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
        QVERIFY(bed.messenger.shown.size() == std::size_t(times));
        QVERIFY(!standIn.since(mark, method).isEmpty());
        QCOMPARE(storedWatchList(), (QStringList{"INFY", "500325", "TCS", "ACC"}));
    }

    // Real processes: two of the charting program's file, and three that must survive it, one
    // whose name differs only in letter case, one with a longer name, and (when the test can
    // run one) the same program run by another user.
    void killAllEndsTheUsersInstancesOfThatProgramOnly()
    {
        QTemporaryDir shared;
        QVERIFY(QFile::setPermissions(shared.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                         QFile::ExeOwner | QFile::ReadOther |
                                                         QFile::ExeOther));
        const auto copy = [](const QString &file) {
            QFile::remove(file);
            return QFile::copy(QStringLiteral("/bin/sleep"), file);
        };
        const QString program = bed.path(programName);
        QVERIFY(copy(program) && copy(bed.path(programName.toUpper())) &&
                copy(bed.path(programName + "-old")) && copy(shared.filePath(programName)));
        QProcess first, second, upper, longer, otherUser;
        const auto run = [](QProcess &p, const QString &file) {
            p.start(file, {QStringLiteral("600")});
            return p.waitForStarted();
        };
        QVERIFY(run(first, program) && run(second, program) &&
                run(upper, bed.path(programName.toUpper())) &&
                run(longer, bed.path(programName + "-old")));
        const bool root = ::getuid() == 0;
        if (root) {
            otherUser.setChildProcessModifier([] {
                if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                    ::_exit(126);
            });
            QVERIFY(run(otherUser, shared.filePath(programName)));
        }

        open();
        click("killAll");
        QVERIFY(first.waitForFinished(20000) && second.waitForFinished(20000));
        QCOMPARE(first.exitStatus(), QProcess::CrashExit);
        const QString shown = QString::fromStdString(bed.messenger.shown.back());
        QVERIFY2(shown.startsWith("Ended 2 running instances of " + programName + "."),
                 qPrintable(shown));
        QVERIFY(shown.contains(QStringLiteral("All instances of Ami Broker are closed")));
        QVERIFY(!upper.waitForFinished(200) && upper.state() == QProcess::Running);
        QCOMPARE(longer.state(), QProcess::Running);
        if (root)
            QCOMPARE(otherUser.state(), QProcess::Running);

        click("killAll"); // none left: says so, and nothing else ends
        QVERIFY(QString::fromStdString(bed.messenger.shown.back())
                    .startsWith("Ended 0 running instances of " + programName + "."));
        QCOMPARE(upper.state(), QProcess::Running);
        for (QProcess *p : {&upper, &longer, &otherUser}) {
            p->kill();
            p->waitForFinished(20000);
        }
    }

    // The whole way with the reference charting program on the private bus and the
    // simulator's chart data: what the link sends is what the charting program keeps.
    void theReferenceChartingProgramKeepsWhatTheLinkSends()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus here");
        QVERIFY(serveBridge(false));
        QProcess chartbook;
        chartbook.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        chartbook.start(qEnvironmentVariable("VANTREL_CHARTBOOK"),
                        {QStringLiteral("--data-dir"), bed.path(QStringLiteral("chartbook"))});
        QVERIFY(chartbook.waitForStarted());
        QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
        QTRY_VERIFY_WITH_TIMEOUT(bus->isServiceRegistered(ChartBridge::DefaultService), 30000);
        startProgram(bed.sim.url()); // the simulator's chart data this time

        open();
        click("syncStockList");
        QTRY_VERIFY_WITH_TIMEOUT(enabled("closeDialog"), 30000);
        click("backfillOneMinute");
        QTRY_COMPARE_WITH_TIMEOUT(label(), QString(BackfillRunner::Done), 60000);
        click("startFeeding");
        QVERIFY(bed.refreshOnce() && bed.refreshOnce());
        QTRY_VERIFY_WITH_TIMEOUT(!bed.program->chartFeed()->busy(), 30000);
        chartbook.kill();
        chartbook.waitForFinished(30000);
        QVERIFY(bed.messenger.shown.empty());

        QStringList stocks;
        QMap<QString, int> bars;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "chartbook");
            db.setDatabaseName(bed.path(QStringLiteral("chartbook/ChartBook.sqlite")));
            QVERIFY(db.open());
            QSqlQuery query(QStringLiteral("SELECT SYMBOL FROM STOCKS ORDER BY POS"), db);
            while (query.next())
                stocks << query.value(0).toString();
            query.exec(QStringLiteral("SELECT SYMBOL, COUNT(*) FROM BARS GROUP BY SYMBOL"));
            while (query.next())
                bars[query.value(0).toString()] = query.value(1).toInt();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("chartbook"));
        QCOMPARE(stocks, (QStringList{"INFY", "TCS", "ACC", "NIFTY", "SENSEX"}));
        for (const QString &symbol : stocks)
            QVERIFY2(bars.value(symbol) > 60, qPrintable(symbol));
        QVERIFY(!bars.contains(QStringLiteral("500325")));
        QVERIFY(serveBridge(true));
    }

    // Run on its own with no session bus to reach (gui_chartlink_nobus).
    void noSessionBus()
    {
        if (QDBusConnection::sessionBus().isConnected())
            QSKIP("a session bus is reachable here");
        open();
        QCOMPARE(bed.messenger.count(ChartLinkDialog::NoBridge), 1);
        click("syncStockList");
        QTRY_VERIFY(enabled("closeDialog"));
        bed.program->chartFeed()->cycle("NIFTY,1.00,2.00,0");
        QCOMPARE(bed.messenger.count(ChartFeed::BridgeUnavailable), 1);
    }
};

QTEST_MAIN(ChartLinkTest)
#include "chartlink_test.moc"
