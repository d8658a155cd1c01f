#include "core/toppers/toppersexport.h"
#include "gui/charts/historicalchartpanel.h"
#include "gui/charts/livechartwindow.h"
#include "gui/controls/exportnamedialog.h"
#include "gui/controls/stocklist.h"
#include "gui/market/indexpanelbase.h"
#include "gui/market/worldpanel.h"
#include "gui/shell/dockedpanel.h"
#include "gui/shell/panelhost.h"
#include "gui/toppers/toppersmodel.h"
#include "gui/toppers/topperspanel.h"
#include "gui/watch/watchlistpanel.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>

// The panel host on the offscreen platform, then the indices and world panels on the main
// refresh against a simulator, and the toppers on sweeps of it.
class PanelsTest : public QObject
{
    Q_OBJECT
    GuiBed bed;

    PanelHost &host() { return bed.program->panels(); }
    MainBar &bar() { return bed.program->bar(); }
    QPoint underBar() { return bar().frameGeometry().bottomLeft() + QPoint(0, 1); }
    DockedPanel *press(const char *button, PanelKind kind)
    {
        bar().button(button)->click();
        return host().panel(kind);
    }
    IndexPanelBase *indices()
    {
        return static_cast<IndexPanelBase *>(press("indices", PanelKind::Indices));
    }
    static void doubleClick(QTableView *list, int row)
    {
        const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    ToppersPanel *toppers()
    {
        auto *panel = static_cast<ToppersPanel *>(press("toppers", PanelKind::Toppers));
        new QAbstractItemModelTester(panel->model(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest, panel);
        return panel;
    }
    template <typename W = QAbstractButton> W *in(QWidget *panel, const char *name)
    {
        return ::control<W>(panel, name);
    }
    // One sweep from the button to the filled list.
    void sweep(ToppersPanel *panel)
    {
        in(panel, "getLatestData")->click();
        for (const char *locked : {"getLatestData", "closePanel", "exchangeNse", "exchangeBse"})
            QVERIFY(!in(panel, locked)->isEnabled());
        QVERIFY(!panel->listView()->isEnabled());
        QCOMPARE(panel->status(), QLatin1String(ToppersPanel::Waiting));
        QTRY_VERIFY_WITH_TIMEOUT(in(panel, "getLatestData")->isEnabled(), 60000);
        QVERIFY(in(panel, "closePanel")->isEnabled() && panel->listView()->isEnabled());
        QCOMPARE(panel->status(), QLatin1String(ToppersPanel::Completed));
    }
    void live()
    {
        QVERIFY2(bed.startSim(), qPrintable(bed.sim.errorText()));
        bed.makeProgram().bar().show();
    }

private slots:
    void init() { bed.makeProgram().bar().show(); }
    void cleanup()
    {
        bed.reset();
        bed.sim.stop();
    }

    void panelsDockUnderTheBarFollowItAndStayDockedOffTop()
    {
        DockedPanel *panel = indices();
        QVERIFY(panel && panel->isVisible());
        QCOMPARE(panel->pos(), underBar());
        QCOMPARE(panel->width(), bar().width());
        bar().move(bar().pos() + QPoint(40, 25));
        QCOMPARE(panel->pos(), underBar());
        QVERIFY(panel->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        bar().setAlwaysOnTop(false);
        QVERIFY(!panel->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->pos(), underBar());
    }

    void oneVisibleAtATimeAndASecondPressHides()
    {
        DockedPanel *world = press("world", PanelKind::World);
        IndexPanelBase *panel = indices();
        QVERIFY(!world->isVisible());
        QVERIFY(!host().visibleFlag(PanelKind::World));
        QVERIFY(panel->isVisible());

        const_cast<QuoteRecord &>(panel->quotes().record(0)).last = 321; // data the panel holds
        QVERIFY(!indices()->isVisible());
        QCOMPARE(indices(), panel);
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->quotes().record(0).last, 321.0);
    }

    void closingWithXThenPressingMakesANewPanelAndRefreshes()
    {
        QPointer<DockedPanel> first = press("world", PanelKind::World);
        QVERIFY(bed.ctx->registry.has(GroupSlot::World));
        QTRY_VERIFY_WITH_TIMEOUT(!bed.ctx->refresh.inProgress(), 30000);
        first->findChild<QPushButton *>("close")->click();
        QTRY_VERIFY_WITH_TIMEOUT(first.isNull(), 30000);
        QVERIFY(!host().visibleFlag(PanelKind::World));
        QVERIFY(!bed.ctx->registry.has(GroupSlot::World));

        QSignalSpy started(&bed.ctx->refresh, &RefreshCycle::requestStarted);
        QVERIFY(press("world", PanelKind::World));
        QCOMPARE(started.count(), 1);
        QVERIFY(started.first().first().toString().contains("^DJI"));
    }

    void trayRestoresExactlyTheVisiblePanels()
    {
        DockedPanel *panel = indices();
        DockedPanel *world = press("world", PanelKind::World);
        bar().toggleTray();
        QVERIFY(!bar().isVisible() && !world->isVisible());
        QVERIFY(host().visibleFlag(PanelKind::World));
        bar().toggleTray();
        QVERIFY(bar().isVisible() && world->isVisible());
        QVERIFY(!panel->isVisible());
    }

    void liveChartChecksTheClockThenTheSwitches()
    {
        QSignalSpy wanted(&host(), &PanelHost::liveChartWanted);
        for (const LocalTime &closed : {makeLocalTime(2026, 12, 4, 15, 30, 1),
                                        makeLocalTime(2026, 12, 5, 11, 0, 0)}) { // a Saturday
            bed.clock.set(closed);
            bar().button("liveChart")->click();
            QCOMPARE(bed.messenger.shown.back(), std::string(PanelHost::MarketClosed));
        }
        bed.clock.set(makeLocalTime(2026, 12, 4, 9, 55, 0));
        bar().button("liveChart")->click();
        QCOMPARE(bed.messenger.shown.back(), std::string(PanelHost::CheckSwitches));
        QVERIFY(bar().findChildren<LiveChartWindow *>().isEmpty());
        host().setLiveChartSwitches([] { return true; });
        bar().button("liveChart")->click();
        QCOMPARE(wanted.count(), 1);
        QCOMPARE(bar().findChildren<LiveChartWindow *>().size(), 1);
        QCOMPARE(bed.messenger.shown.size(), std::size_t(3));
    }

    void chartsNeedAConnectionAndNewPanelsTakeTheBarsFlag()
    {
        doubleClick(indices()->upperList(), 4);
        QCOMPARE(bed.messenger.shown.back(),
                 std::string("Sorry!!!There is no internet connection detected"));
        QTRY_VERIFY_WITH_TIMEOUT(!bed.ctx->refresh.inProgress(), 30000);
        emit bed.ctx->refresh.resultArrived(true);
        QVERIFY(host().panel(PanelKind::Indices)->connected());
    }

    void requestCarriesThePanelSymbolsOnlyWhileTheyExist()
    {
        live();
        press("world", PanelKind::World); // creating the panel starts a refresh
        QTRY_COMPARE_WITH_TIMEOUT(bed.requests().size(), 1, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(!bed.ctx->refresh.inProgress(), 30000);
        indices();
        QTRY_COMPARE_WITH_TIMEOUT(bed.requests().size(), 2, 30000);
        const QString both = bed.requests().last();
        QVERIFY(both.contains("USDINR=X,%5EDJI,%5EIXIC,%5EGSPC,%5EFTSE%20,%5EGDAXI,"));
        QVERIFY(both.contains(",WIT,%5ENSED,%5ENSMIDCP,"));
        QVERIFY(both.contains(",%5ECNXIT,BSE-AUTO.BO,"));
        QVERIFY(both.endsWith("BSE-OILGAS.BO&f=sl1d1t1c1ohgvjk"));
        QCOMPARE(both.count(QLatin1Char(',')), 2 + 26 + 22);

        host().panel(PanelKind::World)->findChild<QPushButton *>("close")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!host().panel(PanelKind::World), 30000);
        QVERIFY(bed.refreshOnce());
        QVERIFY(
            bed.requests().last().startsWith("/d/quotes.csv?s=%5ENSEI,%5EBSESN,USDINR=X,%5ENSED,"));
        QVERIFY(bed.messenger.shown.empty());
    }

    void rowsColoursTheDollarLineAndChartsAfterARefresh()
    {
        live();
        auto *world = static_cast<WorldPanel *>(press("world", PanelKind::World));
        QAbstractItemModel *m = world->upperList()->model();
        QLabel *dollar = world->findChild<QLabel *>("dollarValue");
        QCOMPARE(m->rowCount(), 15);
        QCOMPARE(world->lowerList()->model()->rowCount(), 11);
        QCOMPARE(m->index(0, 2).data().toString(), QStringLiteral("0.00"));
        QCOMPARE(dollar->text(), QStringLiteral("0.000"));
        QVERIFY(bed.refreshOnce());
        QVERIFY(m->index(0, 2).data().toString().contains(QLatin1Char(',')));
        QVERIFY(!m->index(0, 3).data().toString().isEmpty());
        for (int r = 0; r < m->rowCount(); ++r) {
            const double change =
                m->index(r, 4).data().toString().remove(QLatin1Char(',')).toDouble();
            const QColor expected = change < 0    ? QColor(255, 0, 0)
                                    : change == 0 ? QColor(0, 0, 255)
                                                  : QColor(0, 128, 0);
            for (int c : {2, 4, 5, 6})
                QCOMPARE(m->index(r, c).data(Qt::ForegroundRole).value<QBrush>().color(),
                         c == 6 ? QColor(0, 0, 0) : expected);
        }
        QVERIFY(
            dollar->text().contains(QRegularExpression(QStringLiteral("^[0-9]{2}\\.[0-9]{3}$"))));

        auto *nse = static_cast<IndexPanelBase *>(press("indices", PanelKind::Indices));
        // Connected, a double click opens the index's chart: its symbol has no suffix.
        doubleClick(nse->upperList(), 4);
        QTRY_COMPARE_WITH_TIMEOUT(bed.requests("/d/quotes.csv?s=%5ENSEBANK&f=w").size(), 1, 30000);
    }

    // Offline: no sweep starts; with nothing to fetch the controls come back at once.
    void toppersMakeNoRefreshAndCloseByTheirX()
    {
        QSignalSpy started(&bed.ctx->refresh, &RefreshCycle::requestStarted);
        QPointer<ToppersPanel> panel = toppers();
        QVERIFY(panel->isVisible() && host().visibleFlag(PanelKind::Toppers));
        QCOMPARE(started.count(), 0);
        QCOMPARE(panel->status(), ToppersPanel::pressText(Exchange::Nse));
        in(panel, "exchangeBse")->click();
        QCOMPARE(panel->status(), ToppersPanel::pressText(Exchange::Bse));
        in(panel, "getLatestData")->click();
        QCOMPARE(bed.messenger.shown.back(), std::string(StockListView::NoConnection));
        panel->setConnected(true);
        in(panel, "getLatestData")->click(); // no database: no companies
        QCOMPARE(panel->status(), QLatin1String(ToppersScan::NothingToFetch));
        QVERIFY(in(panel, "getLatestData")->isEnabled() && in(panel, "closePanel")->isEnabled());
        in(panel, "exportToCsv")->click();
        QCOMPARE(bed.messenger.shown.back(), std::string(toppersexport::NoData));
        in(panel, "closePanel")->click();
        QTRY_VERIFY_WITH_TIMEOUT(panel.isNull(), 30000);
        QVERIFY(!host().visibleFlag(PanelKind::Toppers));
        QCOMPARE(started.count(), 0);
    }

    // What a user does with the list: fetch BSE under a price limit, add a stock to the watch
    // list, open its chart, export. Sorting and the limits are the scan's own (core) tests.
    void toppersSweepSortNarrowAddChartAndExport()
    {
        QVERIFY2(bed.startSim({QStringLiteral("--latency-ms"), QStringLiteral("100")}),
                 qPrintable(bed.sim.errorText()));
        bed.makeProgram().bar().show();
        QVERIFY(bed.openDatabase());
        bed.program->start(false);
        ToppersPanel *panel = toppers();
        panel->setConnected(true);
        in(panel, "exchangeBse")->click();
        typeInto(panel, "priceMax", QStringLiteral("lots"));
        sweep(panel);
        QCOMPARE(bed.messenger.shown, std::vector<std::string>{"Please enter a number."});
        QCOMPARE(in<QLineEdit>(panel, "priceMax")->text(), QStringLiteral("20000"));
        const ToppersModel *m = panel->model();
        QVERIFY(m->rowCount() > 2000);
        const QStringList batches =
            bed.requests().filter(QRegularExpression(QStringLiteral("&f=sl1d1t1c1ohgv$")));
        QCOMPARE(batches.size(), m->rowCount() / 200 + 1);

        StockListView *list = panel->listView();
        list->selectRow(0);
        emit list->customContextMenuRequested(list->visualRect(m->index(0, 0)).center());
        QVERIFY(panel->menu()->isVisible());
        panel->menu()->findChild<QAction *>("addToWatchList")->trigger();
        panel->menu()->hide();
        const WatchRow added = bed.program->watchList()->list().stocks().back().entry;
        QCOMPARE(added, (WatchRow{m->row(0).companyName, "BSE", m->row(0).symbol}));
        panel->addToWatchList(0);
        QCOMPARE(bed.messenger.shown.back(), std::string(WatchList::DuplicateMessage));

        doubleClick(list, 0);
        QVERIFY(panel->findChild<HistoricalChartPanel *>());

        whenModal<ExportNameDialog>([](ExportNameDialog *d) {
            d->edit()->setText(QStringLiteral("cheap"));
            d->accept();
        });
        in(panel, "exportToCsv")->click();
        const QString path = bed.ctx->dataRoot + QStringLiteral("/ToppersData/BSE_cheap.csv");
        QCOMPARE(bed.messenger.shown.back(), toppersexport::Exported + path.toStdString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), m->rowCount() + 2); // and the empty piece after the last "\n"
        QCOMPARE(lines[0], QByteArray(toppersexport::Header));
    }
};

QTEST_MAIN(PanelsTest)
#include "panels_test.moc"
