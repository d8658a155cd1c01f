#include "core/toppers/toppersexport.h"
#include "gui/charts/historicalchartpanel.h"
#include "gui/charts/livechartwindow.h"
#include "gui/controls/exportnamedialog.h"
#include "gui/controls/stocklist.h"
#include "gui/market/indexpanelbase.h"
#include "gui/market/worldpanel.h"
#include "gui/shell/artwork.h"
#include "gui/shell/dockedpanel.h"
#include "gui/shell/panelhost.h"
#include "gui/shell/splashscreen.h"
#include "gui/toppers/toppersmodel.h"
#include "gui/toppers/topperspanel.h"
#include "gui/watch/watchlistpanel.h"
#include "prebuiltsplash.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTableView>

namespace {
void doubleClick(QTableView *list, int row, int column = 0)
{
    const QPoint at = list->visualRect(list->model()->index(row, column)).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}
QColor colour(const QModelIndex &cell, int role = Qt::BackgroundRole)
{
    return cell.data(role).value<QBrush>().color();
}
QString look(const QModelIndex &cell)
{
    return colour(cell, Qt::ForegroundRole).name() + " on " + colour(cell).name();
}
} // namespace

// The main bar on the offscreen platform, refreshed by a simulator of its own; the panel host,
// the indices and world panels on the main refresh, and the toppers' sweeps.
class MainBarTest : public QObject
{
    Q_OBJECT
    GuiBed bed;
    std::unique_ptr<MainBar> own; // the bar alone, without the program around it

    QTableView *list() const { return own->findChild<QTableView *>("indexList"); }
    QModelIndex at(int row, int column) const { return list()->model()->index(row, column); }
    QString cell(int row, int column) const { return at(row, column).data().toString(); }
    double number(int row, int column) const { return cell(row, column).remove(',').toDouble(); }
    bool dotShown(const char *name) const { return own->findChild<QLabel *>(name)->isVisible(); }

    PanelHost &host() { return bed.program->panels(); }
    MainBar &bar() { return bed.program->bar(); }
    QPoint underBar() { return bar().frameGeometry().bottomLeft() + QPoint(0, 1); }
    template <typename P = DockedPanel> P *press(const char *button, PanelKind kind)
    {
        bar().button(button)->click();
        return static_cast<P *>(host().panel(kind));
    }
    IndexPanelBase *indices() { return press<IndexPanelBase>("indices", PanelKind::Indices); }
    ToppersPanel *toppers()
    {
        auto *panel = press<ToppersPanel>("toppers", PanelKind::Toppers);
        new QAbstractItemModelTester(panel->model(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest, panel);
        return panel;
    }

private slots:
    void cleanup()
    {
        own.reset();
        bed.tearDown();
    }

    void rowsFirstRefreshPriceColoursServiceLineChartsPresetsDragMenuAndClosing()
    {
        QVERIFY2(bed.startSim(), qPrintable(bed.sim.errorText()));
        own = std::make_unique<MainBar>(bed.context());
        QSignalSpy started(&bed.ctx->refresh, &RefreshCycle::requestStarted);
        own->startUp();
        QCOMPARE(list()->model()->rowCount(), 2);
        QVERIFY(list()->isColumnHidden(8)); // the previous price is kept, not shown
        QVERIFY(dotShown("redDot"));
        QCoreApplication::processEvents(); // the first refresh goes at once, not a period later
        QCOMPARE(started.count(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(dotShown("greenDot"), 30000);
        QVERIFY(!dotShown("redDot"));
        QTRY_VERIFY_WITH_TIMEOUT(cell(0, 1) != QStringLiteral("0.00"), 30000);
        QCOMPARE(look(at(0, 1)) + ", " + look(at(1, 1)), "#ffffff on #000000, #ffffff on #000000");
        QVERIFY(simControl(bed.sim.port(), "advance=900"));
        QVERIFY(bed.refreshOnce());
        const double now = number(0, 1), before = number(0, 8);
        QCOMPARE(look(at(0, 1)), now > before ? "#000000 on #00ff00" : "#ffffff on #ff0000");

        // The About box's service line; a live run's follows the gateway's label.
        QVERIFY(MainBar::serviceLine(*bed.ctx).contains("SIMULATED MARKET"));
        bed.ctx->services.simulated = false;
        QVERIFY(MainBar::serviceLine(*bed.ctx).contains(QString::fromStdString(bed.sim.url())));
        bed.ctx->services.live = true;
        own->setLiveLabel(QStringLiteral("END OF DAY 6/26/2023"));
        QVERIFY(MainBar::serviceLine(*bed.ctx).startsWith("Quotes: END OF DAY 6/26/2023 at 127."));
        QVERIFY(MainBar::trayTip(*bed.ctx).endsWith("\nEND OF DAY 6/26/2023"));

        // Charts while connected, refused offline (each fault's look is the fault matrix's).
        QSignalSpy charts(own.get(), &MainBar::chartRequested);
        doubleClick(list(), 1, 2);
        QCOMPARE(charts.value(0).value(0).toString() + " " + charts.value(0).value(2).toString(),
                 "SENSEX ^BSESN");
        bed.sim.stop();
        QVERIFY(!bed.refreshOnce());
        doubleClick(list(), 0, 1);
        QCOMPARE(bed.messenger.shown.back(),
                 std::string("Sorry!!!There is no internet connection detected"));
        QCOMPARE(charts.count(), 1);

        own->setScreenOverride(ScreenRect{0, 0, 1920, 1080}, 40);
        own->place(BarPreset::BottomRight); // on the taskbar's top edge
        QCOMPARE(own->pos(), QPoint(1920 - own->width(), 1080 - 40 - own->height()));
        // The splash drawn as built into the program, gone at a key; a drag by any free point.
        QCOMPARE(prebuiltSplash(), artwork::splashImage(1.0));
        SplashScreen::show()->belongTo(own.get());
        QVERIFY(SplashScreen::exists()); // until a key
        QTest::keyClick(own.get(), Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(!SplashScreen::exists(), 30000);
        const QPoint start = own->pos();
        const QPoint grip = own->findChild<QWidget *>("banner")->mapTo(own.get(), QPoint(20, 10));
        const QPoint to = grip + QPoint(30, 40);
        QTest::mousePress(own.get(), Qt::LeftButton, {}, grip);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(own->mapToGlobal(to)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(own.get(), &move);
        QTest::mouseRelease(own.get(), Qt::LeftButton, {}, to);
        QCOMPARE(own->pos(), start + QPoint(30, 40));

        // The menu only inside the client area, the on-top box, and closing asks first.
        const QPoint origin = own->mapToGlobal(QPoint(0, 0));
        QVERIFY(!own->showMenuAt(origin)); // the border is outside the client area
        QVERIFY(!own->showMenuAt(origin + QPoint(own->width() + 5, 5)));
        // A right click over a control inside the client area reaches the bar's menu.
        QWidget *viewport = list()->viewport();
        QContextMenuEvent onList(QContextMenuEvent::Mouse, QPoint(5, 5),
                                 viewport->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(viewport, &onList);
        auto *menu = own->findChild<QMenu *>("barMenu");
        QVERIFY(menu);
        // The speed entries do nothing to the refresh period.
        for (QAction *a : menu->actions()[8]->menu()->actions())
            a->trigger();
        QCOMPARE(bed.ctx->refresh.periodMs(), 15000);

        // The always-on-top box turns it off, the bar still shown (its place: the desktop test's).
        own->findChild<QCheckBox *>("alwaysOnTop")->click();
        QVERIFY(!own->alwaysOnTop() && own->isVisible());

        QSignalSpy closing(own.get(), &MainBar::closing);
        for (bool answer : {false, true}) {
            bed.messenger.setNextAnswer(answer);
            own->button("close")->click();
            QCOMPARE(closing.count(), answer ? 1 : 0);
            QCOMPARE(bed.ctx->refresh.timerActive(), !answer);
        }
    }

    // A panel docks under the bar and follows it, on top or not. One panel shows at a time, a
    // second press hides it keeping its data, and the tray brings back exactly the panel that
    // showed.
    void panelsDockShowOneAtATimeComeBackFromTheTrayAndGoOnTheRefresh()
    {
        bed.makeProgram().bar().show();
        // Out of its hours the live chart is refused before the switches are looked at (they and
        // the chart that follows are the watch list test's).
        QSignalSpy wanted(&host(), &PanelHost::liveChartWanted);
        bed.clock.set(makeLocalTime(2026, 12, 4, 15, 30, 1));
        host().setLiveChartSwitches([] { return true; });
        bar().button("liveChart")->click();
        QCOMPARE(bed.messenger.shown, std::vector<std::string>{PanelHost::MarketClosed});
        QVERIFY(wanted.isEmpty() && bar().findChildren<LiveChartWindow *>().isEmpty());

        // Offline the toppers start no sweep; with nothing to fetch the controls come back at once.
        QSignalSpy started(&bed.ctx->refresh, &RefreshCycle::requestStarted);
        QPointer<ToppersPanel> tops = toppers();
        QCOMPARE(tops->status(), ToppersPanel::pressText(Exchange::Nse));
        control<QAbstractButton>(tops, "exchangeBse")->click();
        QCOMPARE(tops->status(), ToppersPanel::pressText(Exchange::Bse));
        control<QAbstractButton>(tops, "getLatestData")->click();
        QCOMPARE(bed.messenger.shown.back(), std::string(StockListView::NoConnection));
        tops->setConnected(true);
        control<QAbstractButton>(tops, "getLatestData")->click(); // no database: no companies
        QCOMPARE(tops->status(), QLatin1String(ToppersScan::NothingToFetch));
        control<QAbstractButton>(tops, "exportToCsv")->click();
        QCOMPARE(bed.messenger.shown.back(), std::string(toppersexport::NoData));
        control<QAbstractButton>(tops, "closePanel")->click();
        QTRY_VERIFY_WITH_TIMEOUT(tops.isNull(), 30000);
        QCOMPARE(started.count(), 0);

        DockedPanel *world = press("world", PanelKind::World);
        IndexPanelBase *panel = indices();
        QVERIFY(!world->isVisible() && !host().visibleFlag(PanelKind::World) && panel->isVisible());
        QCOMPARE(panel->pos(), underBar());
        QCOMPARE(panel->width(), bar().width());
        bar().move(bar().pos() + QPoint(40, 25));
        QCOMPARE(panel->pos(), underBar());
        QVERIFY(panel->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        bar().setAlwaysOnTop(false);
        QVERIFY(!panel->windowFlags().testFlag(Qt::WindowStaysOnTopHint) && panel->isVisible());
        QCOMPARE(panel->pos(), underBar());

        QVERIFY(!indices()->isVisible());

        QCOMPARE(press("world", PanelKind::World), world);
        bar().toggleTray();
        QVERIFY(!bar().isVisible() && !world->isVisible() && host().visibleFlag(PanelKind::World));
        bar().toggleTray();
        QVERIFY(bar().isVisible() && world->isVisible() && !panel->isVisible());

        // Closed by its X, the panel goes; the next press makes a new one (that it leaves and
        // joins the refresh is the request test's).
        QPointer<DockedPanel> first = world;
        first->findChild<QPushButton *>("close")->click();
        QTRY_VERIFY_WITH_TIMEOUT(first.isNull(), 30000);
        QVERIFY(!host().visibleFlag(PanelKind::World) && press("world", PanelKind::World));

        // Offline a double click is refused. Online the request carries the panels' symbols
        // only while they exist, the world panel colours its rows, and a double click opens a
        // chart.
        doubleClick(indices()->upperList(), 4);
        QCOMPARE(bed.messenger.shown.back(),
                 std::string("Sorry!!!There is no internet connection detected"));

        QVERIFY2(bed.startSim({"--latency-ms", "100"}), qPrintable(bed.sim.errorText()));
        bed.makeProgram().bar().show();
        auto *factors =
            press<WorldPanel>("world", PanelKind::World); // creating it starts a refresh
        QTRY_VERIFY_WITH_TIMEOUT(!bed.ctx->refresh.inProgress(), 30000);
        panel = indices();
        QTRY_COMPARE_WITH_TIMEOUT(bed.requests().size(), 2, 30000);
        // Both panels' whole groups; the order of the groups is the registry's own test.
        const QString both = bed.requests().last();
        QVERIFY2(both.contains(",%5EDJI,") && both.contains(",%5ECNXIT,"), qPrintable(both));
        QCOMPARE(both.count(QLatin1Char(',')), 2 + 26 + 22);

        QAbstractItemModel *m = factors->upperList()->model();
        QVERIFY(!m->index(0, 3).data().toString().isEmpty());
        for (int r = 0; r < m->rowCount(); ++r) {
            const double change =
                m->index(r, 4).data().toString().remove(QLatin1Char(',')).toDouble();
            const QColor expected = change < 0    ? QColor(255, 0, 0)
                                    : change == 0 ? QColor(0, 0, 255)
                                                  : QColor(0, 128, 0);
            for (int c : {2, 4, 5, 6})
                QCOMPARE(colour(m->index(r, c), Qt::ForegroundRole),
                         c == 6 ? QColor(0, 0, 0) : expected);
        }
        QLabel *dollar = factors->findChild<QLabel *>("dollarValue");
        QVERIFY(QRegularExpression("^[0-9]{2}\\.[0-9]{3}$").match(dollar->text()).hasMatch());

        factors->findChild<QPushButton *>("close")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!host().panel(PanelKind::World), 30000);
        QVERIFY(bed.refreshOnce());
        QVERIFY(bed.requests().last().contains("USDINR=X,%5ENSED,")); // the indices follow the bar
        QVERIFY(bed.messenger.shown.empty());
        // Connected, a double click opens the index's chart: its symbol has no suffix.
        doubleClick(panel->upperList(), 4);
        QTRY_COMPARE_WITH_TIMEOUT(bed.requests("/d/quotes.csv?s=%5ENSEBANK&f=w").size(), 1, 30000);

        // What a user does with the toppers: fetch BSE under a price limit, add a stock to the
        // watch list, open its chart, export. Sorting and the limits are the scan's own tests.
        QVERIFY(bed.openDatabase());
        bed.program->start();
        tops = toppers();
        tops->setConnected(true);
        control<QAbstractButton>(tops, "exchangeBse")->click();
        typeInto(tops, "priceMax", QStringLiteral("lots"));
        // One sweep from the button to the filled list, the controls locked meanwhile.
        control<QAbstractButton>(tops, "getLatestData")->click();
        for (const char *locked : {"getLatestData", "closePanel", "exchangeNse", "exchangeBse"})
            QVERIFY(!control<QAbstractButton>(tops, locked)->isEnabled());
        QVERIFY(!tops->listView()->isEnabled());
        QCOMPARE(tops->status(), QLatin1String(ToppersPanel::Waiting));
        QTRY_VERIFY_WITH_TIMEOUT(control<QAbstractButton>(tops, "getLatestData")->isEnabled(),
                                 60000);
        QCOMPARE(bed.messenger.shown, std::vector<std::string>{"Please enter a number."});
        QCOMPARE(control<QLineEdit>(tops, "priceMax")->text(), QStringLiteral("20000"));
        const ToppersModel *found = tops->model();
        QVERIFY(found->rowCount() > 2000);

        StockListView *view = tops->listView();
        view->selectRow(0);
        emit view->customContextMenuRequested(view->visualRect(found->index(0, 0)).center());
        QVERIFY(tops->menu()->isVisible());
        tops->menu()->findChild<QAction *>("addToWatchList")->trigger();
        const WatchRow added = bed.program->watchList()->list().stocks().back().entry;
        QCOMPARE(added, (WatchRow{found->row(0).companyName, "BSE", found->row(0).symbol}));
        doubleClick(view, 0);
        QVERIFY(tops->findChild<HistoricalChartPanel *>());

        whenModal<ExportNameDialog>([](ExportNameDialog *d) {
            d->edit()->setText(QStringLiteral("cheap"));
            d->accept();
        });
        control<QAbstractButton>(tops, "exportToCsv")->click();
        const QString path = bed.ctx->dataRoot + QStringLiteral("/ToppersData/BSE_cheap.csv");
        QCOMPARE(bed.messenger.shown.back(), toppersexport::Exported + path.toStdString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(),
                 found->rowCount() + 2); // the header, and the piece after the last "\n"
    }
};

QTEST_MAIN(MainBarTest)
#include "mainbar_test.moc"
