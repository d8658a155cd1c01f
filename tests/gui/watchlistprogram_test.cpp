#include "core/common/clock.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/program.h"
#include "gui/watch/watchlistmodel.h"
#include "gui/watch/watchlistpanel.h"
#include "support/recordingmessenger.h"
#include "support/simcontrol.h"
#include "support/testsim.h"

#include <QCheckBox>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The real program with its watch list against the simulated market, through a few
// refreshes with every data file switched on.
class WatchListProgramTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    TestSim sim;
    RecordingMessenger messenger;
    FixedClock clock{makeLocalTime(2026, 12, 4, 11, 0, 0)};
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<Program> program;

    QString log() const { return dir.filePath(QStringLiteral("access.log")); }
    QString data(const QString &relative) const
    {
        return dir.filePath(QStringLiteral("data/") + relative);
    }
    QStringList lines(const QString &relative) const
    {
        QFile f(data(relative));
        if (!f.open(QIODevice::ReadOnly))
            return {QStringLiteral("<missing>")};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    bool refreshAt(int hour, int minute, int second)
    {
        clock.set(makeLocalTime(2026, 12, 4, hour, minute, second));
        const QString time = QStringLiteral("2026-12-04T%1:%2:%3")
                                 .arg(hour, 2, 10, QLatin1Char('0'))
                                 .arg(minute, 2, 10, QLatin1Char('0'))
                                 .arg(second, 2, 10, QLatin1Char('0'));
        if (!simControl(sim.port(), QStringLiteral("clock=") + time))
            return false;
        QSignalSpy refreshed(program->watchList(), &WatchListPanel::refreshed);
        if (ctx->refresh.inProgress())
            QSignalSpy(&ctx->refresh, &RefreshCycle::resultArrived).wait(10000);
        ctx->refresh.start();
        const bool done = refreshed.wait(10000);
        QCoreApplication::processEvents(); // what the refresh has to say comes just after it
        return done;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(sim.startWith({QStringLiteral("--access-log"), log()}),
                 qPrintable(sim.errorText()));
        ServiceUrls services;
        services.quote = services.chart = sim.url();
        ctx = std::make_unique<AppContext>(services, messenger, clock);
        ctx->dataRoot = dir.filePath(QStringLiteral("data"));
        StoreConfig config;
        config.databaseFile = dir.filePath(QStringLiteral("CompanyList.sqlite"));
        QVERIFY(ctx->database.open(config).ok());
        QVERIFY(ctx->database.watchList()
                    .save({{"Infosys Limited", "NSE", "INFY"},
                           {"Reliance Industries Limited", "BSE", "500325"},
                           {"Tata Consultancy Services Limited", "NSE", "TCS", 1, 1, 2}})
                    .ok());
        program = std::make_unique<Program>(*ctx);
    }
    void cleanupTestCase()
    {
        program.reset();
        ctx.reset();
        sim.stop();
    }

    void theFirstRefreshFillsTheHiddenListAndAlertsAreShown()
    {
        program->start(false); // posts the first refresh
        WatchListPanel *panel = program->watchList();
        panel->findChild<QCheckBox *>(QStringLiteral("alertsPopUp1129"))->click();
        QSignalSpy refreshed(panel, &WatchListPanel::refreshed);
        QVERIFY(refreshed.wait(10000));
        QVERIFY(!panel->isVisible());
        QVERIFY(quoteRequests(log()).first().contains(
            QStringLiteral("USDINR=X,INFY.NS,500325.BO,TCS.NS&f=")));
        const WatchListModel *model = panel->model();
        for (int r = 0; r < 3; ++r) {
            QVERIFY(model->row(r).last > 0);
            QCOMPARE(model->index(r, 3).data(Qt::BackgroundRole).value<QBrush>().color(),
                     QColor(0, 0, 0));
        }
        QVERIFY(model->index(0, 3).data().toString().contains(QLatin1Char(',')));
        // TCS trades far above its band of 1 to 2 rupees.
        QTRY_COMPARE(messenger.shown.size(), std::size_t(1)); // shown once the refresh is over
        QVERIFY(messenger.shown.back().ends_with(
            "\n\nTata Consultancy Services Limited::above UPPER LIMIT of 2.00\n\n"));
        panel->findChild<QCheckBox *>(QStringLiteral("alertsPopUp1129"))->click();
    }

    void intradayAndLiveFilesFollowTheRefreshes()
    {
        WatchListPanel *panel = program->watchList();
        panel->findChild<QCheckBox *>(QStringLiteral("intraday1137"))->click();
        panel->findChild<QCheckBox *>(QStringLiteral("liveData1138"))->click();
        QVERIFY(refreshAt(11, 5, 0));
        QVERIFY(refreshAt(11, 10, 0));
        const QString day = QStringLiteral("IntraDay/12-04-2026/");
        const QStringList nifty = lines(day + QStringLiteral("NIFTY.txt"));
        QCOMPARE(nifty.size(), 2);
        QVERIFY(nifty.last().startsWith(QStringLiteral("NIFTY,12/04/2026,11:10:00,")));
        QVERIFY(lines(day + QStringLiteral("SENSEX.txt"))
                    .last()
                    .startsWith(QStringLiteral("SENSEX,12/04/2026,10:55:00,")));
        const QStringList infy = lines(day + QStringLiteral("INFY.txt"));
        QCOMPARE(infy.size(), 2);
        const QStringList bar = infy.last().split(QLatin1Char(','));
        QCOMPARE(bar.size(), 8);
        QCOMPARE(bar[6], panel->model()->index(0, 3).data().toString().remove(QLatin1Char(',')));
        QVERIFY(bar[4].toDouble() >= bar[5].toDouble());
        QVERIFY(!QFile::exists(data(day + QStringLiteral("500325.txt"))));

        const QStringList live = lines(QStringLiteral("LiveData/LiveData.txt"));
        QCOMPARE(live.size(), 3);
        QCOMPARE(live[0], nifty.last());
        QCOMPARE(live[1], infy.last());
        QVERIFY(live[2].startsWith(QStringLiteral("TCS,")));
        QVERIFY(messenger.shown.size() == 1);
    }

    void afterTheCloseEachFileGetsOneEndOfDayLine()
    {
        QVERIFY(refreshAt(15, 45, 1));
        QVERIFY(refreshAt(16, 30, 0));
        for (const char *name : {"NIFTY", "SENSEX", "INFY", "500325", "TCS"}) {
            const QStringList eod =
                lines(QStringLiteral("EODData/%1.txt").arg(QLatin1String(name)));
            QCOMPARE(eod.size(), 1);
            QVERIFY(eod.first().startsWith(QLatin1String(name) + QStringLiteral(",12/4/2026,")));
        }
        QCOMPARE(lines(QStringLiteral("IntraDay/12-04-2026/NIFTY.txt")).size(), 2);
        QVERIFY(messenger.shown.size() == 1);
    }
};

QTEST_MAIN(WatchListProgramTest)
#include "watchlistprogram_test.moc"
