#include "core/common/clock.h"
#include "gui/shell/appcontext.h"
#include "gui/shell/mainbar.h"
#include "support/recordingmessenger.h"
#include "support/simcontrol.h"
#include "support/testsim.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

// The main bar's refresh as a user sees it, against a real simulator.
class MainBarRefreshTest : public QObject
{
    Q_OBJECT

    TestSim sim;
    RecordingMessenger messenger;
    FixedClock clock{makeLocalTime(2026, 12, 4, 11, 0, 0)};
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<MainBar> bar;

    QTableView *list() const { return bar->findChild<QTableView *>(QStringLiteral("indexList")); }
    bool dotShown(const char *name) const { return bar->findChild<QLabel *>(QLatin1String(name))->isVisible(); }
    QColor cellBackground(int row, int column) const
    {
        return list()->model()->index(row, column).data(Qt::BackgroundRole).value<QBrush>().color();
    }
    bool refreshOnce()
    {
        QSignalSpy result(&ctx->refresh, &RefreshCycle::resultArrived);
        ctx->refresh.start();
        return result.wait(10000) && result.first().first().toBool();
    }

private slots:
    void init()
    {
        messenger = RecordingMessenger();
        QVERIFY2(sim.startWith(), qPrintable(sim.errorText()));
        ServiceUrls services;
        services.quote = sim.url();
        services.simulated = true;
        ctx = std::make_unique<AppContext>(services, messenger, clock);
        bar = std::make_unique<MainBar>(*ctx);
    }
    void cleanup()
    {
        bar.reset();
        ctx.reset();
        sim.stop();
    }

    void rowsStandFromTheStartAndTheFirstRefreshComesAtOnce()
    {
        bar->startUp(false);
        QCOMPARE(list()->model()->rowCount(), 2);
        QCOMPARE(list()->model()->index(1, 0).data().toString(), QStringLiteral("SENSEX"));
        QVERIFY(dotShown("redDot"));
        QTRY_VERIFY_WITH_TIMEOUT(dotShown("greenDot"), 5000);
        QVERIFY(!dotShown("redDot"));
        QTRY_VERIFY(list()->model()->index(0, 1).data().toString() != QStringLiteral("0.00"));
        QVERIFY(list()->model()->index(0, 1).data().toString().contains(QLatin1Char(',')));
    }

    void currentPriceIsBlackFirstThenComparedWithThePrevious()
    {
        QVERIFY(refreshOnce());
        QCOMPARE(cellBackground(0, 1), QColor(0, 0, 0));
        QCOMPARE(cellBackground(1, 1), QColor(0, 0, 0));
        QVERIFY(refreshOnce()); // the simulated clock stands still: the same price
        QCOMPARE(cellBackground(0, 1), QColor(0, 0, 255));
        QVERIFY(simControl(sim.port(), QStringLiteral("advance=900")));
        QVERIFY(refreshOnce());
        const double now = list()->model()->index(0, 1).data().toString().remove(QLatin1Char(',')).toDouble();
        const double before = list()->model()->index(0, 8).data().toString().remove(QLatin1Char(',')).toDouble();
        QCOMPARE(cellBackground(0, 1), now > before ? QColor(0, 255, 0) : now < before ? QColor(255, 0, 0) : QColor(0, 0, 255));
        QVERIFY(now != before);
    }

    void shortReplyWarnsAndLeavesTheListEmpty()
    {
        QVERIFY(refreshOnce());
        QVERIFY(simControl(sim.port(), QStringLiteral("fault=short&short-lines=2")));
        QVERIFY(refreshOnce());
        QCOMPARE(messenger.count(RefreshCycle::ShortReplyWarning), 1);
        QCOMPARE(list()->model()->rowCount(), 0);
        QVERIFY(simControl(sim.port(), QStringLiteral("fault=none")));
        QVERIFY(refreshOnce());
        QCOMPARE(list()->model()->rowCount(), 2);
    }

    void offlineKeepsTheRowsAndRefusesCharts()
    {
        QVERIFY(refreshOnce());
        const QString nifty = list()->model()->index(0, 1).data().toString();
        sim.stop();
        QVERIFY(!refreshOnce());
        QVERIFY(dotShown("redDot") || !bar->isVisible());
        QCOMPARE(list()->model()->index(0, 1).data().toString(), nifty);
        QVERIFY(messenger.shown.empty());

        QSignalSpy charts(bar.get(), &MainBar::chartRequested);
        const QRect cell = list()->visualRect(list()->model()->index(0, 1));
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(messenger.shown.back(), std::string("Sorry!!!There is no internet connection detected"));
        QCOMPARE(charts.count(), 0);
    }

    void doubleClickWhileConnectedAsksForTheIndexChart()
    {
        QVERIFY(refreshOnce());
        QSignalSpy charts(bar.get(), &MainBar::chartRequested);
        const QRect cell = list()->visualRect(list()->model()->index(1, 2));
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(charts.count(), 1);
        QCOMPARE(charts.first().at(0).toString(), QStringLiteral("SENSEX"));
        QCOMPARE(charts.first().at(2).toString(), QStringLiteral("^BSESN"));
    }

    void aboutBoxNamesTheSimulatedMarket()
    {
        QVERIFY(MainBar::serviceLine(*ctx).contains(QStringLiteral("SIMULATED MARKET")));
        ctx->services.simulated = false;
        QVERIFY(!MainBar::serviceLine(*ctx).contains(QStringLiteral("SIMULATED")));
        QVERIFY(MainBar::serviceLine(*ctx).contains(QString::fromStdString(sim.url())));
    }
};

QTEST_MAIN(MainBarRefreshTest)
#include "mainbarrefresh_test.moc"
