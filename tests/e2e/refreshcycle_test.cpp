#include "core/net/displayformat.h"
#include "core/shell/indexboard.h"
#include "core/watch/datalogger.h"
#include "core/watch/watchrefresh.h"
#include "core/watch/watchrow.h"
#include "platform/shell/refreshcycle.h"
#include "platform/store/companydatabase.h"
#include "platform/toppers/topperssweep.h"
#include "support/listgroup.h"
#include "support/memorywatchlist.h"
#include "support/recordingmessenger.h"
#include "support/testsim.h"

#include <QDirIterator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The refresh cycle against a real simulator on a free loopback port.
class RefreshCycleTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    TestSim sim;
    RecordingMessenger messenger;
    QuoteGroupRegistry registry;
    IndexBoard board;
    std::unique_ptr<RefreshCycle> cycle;

    QString accessLog() const { return dir.filePath(QStringLiteral("access.log")); }

    // Every data file under the root with its content.
    static QMap<QString, QByteArray> dataFiles(const QString &root)
    {
        QMap<QString, QByteArray> files;
        for (QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            QFile file(it.next());
            files.insert(file.fileName(),
                         file.open(QIODevice::ReadOnly) ? file.readAll() : "unreadable");
        }
        return files;
    }

    void startSim(const QStringList &extra = {})
    {
        QVERIFY2(sim.startWith(QStringList{QStringLiteral("--access-log"), accessLog()} + extra),
                 qPrintable(sim.errorText()));
        cycle->setBaseUrl(sim.url());
    }

    // One refresh, start to result; returns whether it connected.
    bool refreshOnce()
    {
        QSignalSpy result(cycle.get(), &RefreshCycle::resultArrived);
        cycle->start();
        return result.wait(30000) && result.first().first().toBool();
    }

private slots:
    void init()
    {
        QFile::remove(accessLog());
        messenger = RecordingMessenger();
        registry = QuoteGroupRegistry();
        board = IndexBoard();
        registry.attach(GroupSlot::MainBar, &board);
        cycle = std::make_unique<RefreshCycle>(registry, messenger);
    }
    void cleanup()
    {
        cycle.reset();
        sim.stop();
    }

    // What each fault shows is the fault matrix's; here the cycle's failure paths (silence
    // timeout, deadline, abort) run in the sanitizer build, which has no windows, and each
    // leaves the cycle free for the next tick with the values kept.
    void failedFetchesFreeTheNextTickAndAGarbledPriceIsNotAvailableAnywhere()
    {
        startSim();
        QVERIFY(refreshOnce());
        const double nifty = board.slot(IndexBoard::Nifty).last;
        cycle->setTimeoutMs(400);
        cycle->setDeadlineMs(1500);
        for (const char *fault : {"fault=http500", "fault=drop", "fault=hang", "fault=trickle"}) {
            QVERIFY(simControl(sim.port(), QString::fromLatin1(fault)));
            QVERIFY2(!refreshOnce(), fault); // a cycle left busy would fail the next good one
            QCOMPARE(board.slot(IndexBoard::Nifty).last, nifty);
        }
        cycle->setTimeoutMs(10000);
        cycle->setDeadlineMs(30000);
        QVERIFY(simControl(sim.port(), QStringLiteral("fault=none")));
        QVERIFY(refreshOnce());

        // A price field that is not wholly one number is N/A wherever it goes: the bar and the
        // list show N/A, not the number it starts with; no data file takes it, nor the next
        // bar's open. Which texts are no number, and the end-of-day line's, are the core tests'.
        MemoryWatchList store;
        WatchList list(store, messenger);
        for (const char *symbol : {"RELIANCE", "INFY"})
            list.addEntry(WatchRow{symbol, "NSE", symbol});
        list.switches().intraday = list.switches().liveData = true;
        registry.attach(GroupSlot::WatchList, &list);
        const QString root = dir.filePath(QStringLiteral("garbled"));
        StdDataFileSystem files;
        FixedClock clock{makeLocalTime(2026, 12, 4, 11, 0, 0)};
        DataLogger logger(files, clock, root.toStdString());
        logger.makeFolders();
        const auto refresh = [&] {
            QVERIFY(refreshOnce());
            QVERIFY(refreshWatchList(list, board, logger, clock).problems.empty());
            board.updateRows();
        };
        refresh();
        refresh();
        const QMap<QString, QByteArray> before = dataFiles(root);

        QVERIFY(simControl(sim.port(), QStringLiteral("fault=price&price=12%0034.5")));
        refresh();
        QCOMPARE(board.previousPrice(IndexBoard::Nifty), 0.0);
        const WatchedStock &stock = list.stocks()[0];
        QCOMPARE((std::vector{IndexBoard::cellText(board.rows()[0], 1),
                              IndexBoard::cellText(board.rows()[1], 4),
                              watchCellText(stock, watchcol::Price),
                              watchCellText(stock, watchcol::Open)}),
                 (std::vector<std::string>{"N/A", "N/A", "N/A", // the other fields still came:
                                           formatDisplay(stock.quote.open)}));
        QMap<QString, QByteArray> expected = before;
        expected[root + "/LiveData/LiveData.txt"] = {}; // the live line goes, with no price
        QCOMPARE(dataFiles(root), expected);

        QVERIFY(messenger.shown.empty());
    }

    void repliesReachTheGroupsOfTheirRequestAndAToppersSweepItsExchange()
    {
        startSim({QStringLiteral("--latency-ms"), QStringLiteral("800")});
        ListGroup watch({"RELIANCE.NS", "500325.BO", "INFY.NS"});
        ListGroup world({"^DJI", "^FTSE "});
        registry.attach(GroupSlot::WatchList, &watch);
        QSignalSpy started(cycle.get(), &RefreshCycle::requestStarted);
        QSignalSpy result(cycle.get(), &RefreshCycle::resultArrived);
        QObject scope;
        // While the request is in flight the list is reordered and the world panel opens.
        connect(
            cycle.get(), &RefreshCycle::requestStarted, &scope,
            [&] {
                watch.symbols = {"INFY.NS", "RELIANCE.NS", "500325.BO"};
                registry.attach(GroupSlot::World, &world);
            },
            Qt::SingleShotConnection);
        // The ticks end with the reply, so none slips in before the checks below.
        connect(cycle.get(), &RefreshCycle::resultArrived, &scope, [this] { cycle->stopTimer(); });
        cycle->setPeriodMs(50);
        cycle->startTimer();
        QVERIFY(result.wait(30000));
        // The ticks that came while the fetch ran started nothing: one request, one arrival.
        QCOMPARE((QList<qsizetype>{started.count(), loggedRequests(accessLog()).size(),
                                   watch.arrivals, world.arrivals}),
                 (QList<qsizetype>{1, 1, 1, 0}));
        for (std::size_t i = 0; i < watch.symbols.size(); ++i)
            QVERIFY(watch.records[i].symbol == watch.symbols[i] && watch.records[i].last > 0);

        // The next request carries the world symbols (their dealing out is the core's). The
        // watch list, now empty, still writes its comma and expects no line.
        watch.symbols.clear();
        QVERIFY(refreshOnce());
        // On the wire "^" travels percent-encoded, as HTTP clients send it.
        QVERIFY(loggedRequests(accessLog())
                    .last()
                    .startsWith(QStringLiteral(
                        "/d/quotes.csv?s=%5ENSEI,%5EBSESN,USDINR=X,,%5EDJI,%5EFTSE%20&")));
        QVERIFY(messenger.shown.empty());

        // Every BSE company of the list in one sweep, all batches at once; one batch fails and
        // only its companies go missing, and the sweep runs on while the loop turns.
        CompanyDatabase database(QStringLiteral("toppers-sweep"));
        QVERIFY(database.open(resolveStoreConfig({}, dir.filePath("companies.sqlite"), {})).ok());
        const std::vector<CompanyRow> listed =
            database.companyList().listedOn(Exchange::Bse).value();
        QVERIFY(listed.size() > 2000);
        const QString failing = QString::fromStdString(listed[250].bseName + ".BO");
        QVERIFY(simControl(sim.port(), "fault=http500&latency-ms=200&fault-symbol=" + failing));

        ToppersScan scan;
        ToppersSweep sweep(scan);
        QSignalSpy finished(&sweep, &ToppersSweep::finished);
        QVERIFY(sweep.start(sim.url(), Exchange::Bse, listed));
        QVERIFY(sweep.running());
        QVERIFY(finished.wait(60000));
        QVERIFY(!sweep.running());

        // Every batch answered but the failing one; how they are cut is the scan's (core) test.
        for (int i = 0; i < scan.count(); ++i) {
            const QuoteRecord &q = scan.quote(i);
            QCOMPARE(q.last == 0, i >= 200 && i < 400);
            if (q.last > 0)
                QCOMPARE(q.symbol, listed[static_cast<std::size_t>(i)].bseName + ".BO");
        }
        // A sweep that lost a batch says so with the server's reason.
        QVERIFY(QString::fromStdString(toppersstatus::problem(scan.outcome())).contains("500"));

        // A batch that never answers ends at its transfer timeout; the rest of the sweep is
        // new, the failed batch of the last sweep included.
        QVERIFY(simControl(sim.port(), "fault=hang&latency-ms=0&fault-symbol=" +
                                           QString::fromStdString(listed[0].bseName + ".BO")));
        // Long enough that the batches which do answer never run into it on a busy machine.
        sweep.setTimeoutMs(5000);
        // Started over a sweep of more batches, whose last ones answer while the hang lasts:
        // what an abandoned sweep gets counts for nothing.
        QVERIFY(sweep.start(sim.url(), Exchange::Bse, listed));
        QVERIFY(sweep.start(sim.url(), Exchange::Bse,
                            std::vector(listed.begin(), listed.begin() + 2000)));
        QVERIFY(finished.wait(60000));
        for (int i = 0; i < scan.count(); ++i)
            QCOMPARE(scan.quote(i).last == 0, i < 200);
        QCOMPARE(scan.outcome().failed, 1);
    }
};

QTEST_GUILESS_MAIN(RefreshCycleTest)
#include "refreshcycle_test.moc"
