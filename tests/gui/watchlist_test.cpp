#include "core/net/quoteparser.h"
#include "core/watch/watchexport.h"
#include "gui/charts/chartcontrol.h"
#include "gui/charts/livechartwindow.h"
#include "gui/controls/exportnamedialog.h"
#include "gui/controls/scrollingband.h"
#include "gui/shell/panelhost.h"
#include "gui/ticker/tickerbar.h"
#include "gui/watch/watchlistmodel.h"
#include "gui/watch/watchlistpanel.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"
#include "support/resultlist.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyleOptionSlider>

namespace {
// Takes the slider's thumb with the mouse, drags it to x and lets it go there, as a user does.
void dragThumb(QSlider *slider, int x)
{
    QStyleOptionSlider o;
    o.initFrom(slider);
    o.orientation = slider->orientation();
    o.minimum = slider->minimum();
    o.maximum = slider->maximum();
    o.sliderPosition = o.sliderValue = slider->value();
    o.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    const QPoint at = slider->style()
                          ->subControlRect(QStyle::CC_Slider, &o, QStyle::SC_SliderHandle, slider)
                          .center();
    QTest::mousePress(slider, Qt::LeftButton, {}, at);
    QTest::mouseMove(slider, QPoint((at.x() + x) / 2, at.y()));
    QTest::mouseMove(slider, QPoint(x, at.y()));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(x, at.y()));
}
} // namespace

// The watch list panel inside the real program on a real database file, with quotes put in
// by the tests (the buttons' rules are core's) and then from the simulated market.
class WatchListTest : public QObject
{
    Q_OBJECT
    GuiBed bed;
    std::optional<WatchRow> chosen; // what the stand-in search dialog hands back
    int chooserCalls = 0;
    bool timerRanDuringDialog = false;
    int minute = 0;

    WatchListPanel *panel() const { return bed.program->watchList(); }
    WatchList &list() const { return panel()->list(); }
    WatchListModel *model() const { return panel()->model(); }
    void click(const char *name) const { ::control<QAbstractButton>(panel(), name)->click(); }
    std::string said() const { return bed.messenger.shown.back(); }
    QString order() const
    {
        QStringList out;
        for (const WatchedStock &s : list().stocks())
            out << QString::fromStdString(s.entry.symbol);
        return out.join(' ');
    }
    void select(std::initializer_list<int> rows)
    {
        QItemSelectionModel *s = panel()->listView()->selectionModel();
        s->clearSelection();
        for (int r : rows)
            s->select(model()->index(r, 0),
                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    // A quote as if it had arrived (reply lines find their stock by symbol), and shown.
    void price(const char *quoteSymbol, double last)
    {
        list().quoteTarget(0, quoteSymbol)->last = last;
        panel()->refresh();
    }
    static void quote(QuoteRecord *target, const char *symbol, double last, double change = 1)
    {
        char line[160];
        std::snprintf(line, sizeof line, "\"%s\",%g,\"12/4/2026\",\"11:00am\",%g,1,2,3,%g,5,6",
                      symbol, last, change, 1000 + 10 * last);
        parseQuoteLine(line, *target);
    }
    // Refreshes a minute apart from 11:01 on: the list writes its data files, then the bar.
    void logMinutes(std::initializer_list<double> infy)
    {
        auto &board = const_cast<IndexBoard &>(bed.program->bar().board());
        for (double price : infy) {
            bed.clock.set(makeLocalTime(2026, 12, 4, 11, ++minute, 0));
            quote(board.quoteTarget(0, ""), "^NSEI", 24000 + minute, -2.5);
            quote(list().quoteTarget(0, "INFY.NS"), "INFY.NS", price);
            quote(list().quoteTarget(0, "DRREDDY.NS"), "DRREDDY.NS", 5500 + minute, -1);
            panel()->refresh();
            emit bed.ctx->refresh.replyApplied();
        }
    }
    QList<LiveChartWindow *> liveCharts() const
    {
        return bed.program->bar().findChildren<LiveChartWindow *>();
    }
private slots:
    void init()
    {
        chosen.reset();
        chooserCalls = minute = 0;
        CompanyDatabase seeder("watch-test-seed");
        QVERIFY(seeder.open(resolveStoreConfig({}, bed.databaseFile(), {})).ok());
        QVERIFY(seeder.watchList()
                    .save({{"Infosys Limited", "NSE", "INFY"},
                           {"Reliance Industries", "BSE", "500325"},
                           {"Dr. Reddy's Laboratories, Ltd", "NSE", "DRREDDY", 1, 5000, 6200.25}})
                    .ok());
        bed.clock.set(makeLocalTime(2026, 12, 4, 18, 0, 0));
        bed.makeProgram();
        QVERIFY(bed.openDatabase());
        bed.program->start();
        testModelOf(panel()->listView());
        panel()->setCompanyChooser([this](QWidget *) {
            ++chooserCalls;
            timerRanDuringDialog = bed.ctx->refresh.timerActive();
            if (const auto row = std::exchange(chosen, std::nullopt))
                panel()->addEntry(*row);
        });
    }
    void cleanup()
    {
        bed.tearDown();
        QDir(bed.path("data")).removeRecursively(); // every test starts a day with no data files
    }

    // Hidden at start, the X only hides it. Set Alert wants a selection (its dialog is the disk
    // faults test's); a header's second click sorts the rows the other way, by number. Add goes
    // through the chooser while the refresh waits, Delete (stored at once: the core's) and the
    // export act on the rows, and a full list takes none.
    void theButtonsOfThePanelHiddenAtStartReachTheTable()
    {
        QVERIFY(!panel()->isVisible());
        bed.program->bar().button("watchlist")->click();
        click("closePanel");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // gone if destroyed
        QCOMPARE(bed.program->panels().panel(PanelKind::WatchList), panel());
        QVERIFY(!panel()->isVisible() && !bed.program->panels().visibleFlag(PanelKind::WatchList));

        click("deleteStocks");
        QCOMPARE(said(), WatchList::NoDeleteSelection);
        click("setAlert");
        QCOMPARE(said(), WatchList::NoAlertSelection);
        price("500325.BO", 12000.5);
        price("INFY.NS", 1500);
        price("DRREDDY.NS", 5500.5);
        QHeaderView *header = panel()->listView()->horizontalHeader();
        for (int i = 0; i < 2; ++i) // ascending, then the other way
            QTest::mouseClick(
                header->viewport(), Qt::LeftButton, {},
                {header->sectionViewportPosition(watchcol::Price) + 5, header->height() / 2});
        QCOMPARE(order(), "500325 DRREDDY INFY");
        QCOMPARE(model()->index(0, watchcol::Price).data().toString(), "12,000.50");

        chosen = WatchRow{"Wipro Limited", "NSE", "WIPRO"};
        click("addStock");
        QVERIFY(!timerRanDuringDialog && bed.ctx->refresh.timerActive());
        QCOMPARE(model()->rowCount(), 4);
        select({0, 1});
        click("deleteStocks");
        QCOMPARE(order(), "INFY WIPRO");

        // Cancelled, the export writes nothing. The dialog starts from the clock, takes no more
        // than a file name's length and refuses a blank (the name's rules are the core's).
        const std::size_t told = bed.messenger.shown.size();
        whenModal<ExportNameDialog>([](ExportNameDialog *d) { clickToEnd(d, "cancel"); });
        click("exportToCsv");
        QCOMPARE(bed.messenger.shown.size(), told); // nothing written, nothing said
        whenModal<ExportNameDialog>([this](ExportNameDialog *d) {
            QCOMPARE(d->edit()->text(), QStringLiteral("04-12-2026_06-00-00PM"));
            QCOMPARE(d->edit()->maxLength(), 25);
            d->edit()->setText("    ");
            control<QPushButton>(d, "ok")->click();
            QCOMPARE(said(), "Please write a name for the CSV file");
            QVERIFY(d->isVisible());
            d->edit()->setText("  my list ");
            control<QPushButton>(d, "ok")->click();
        });
        click("exportToCsv");
        QFile file(bed.ctx->dataRoot + "/WatchListData/my list.csv");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count('\n'), 3);
        select({0, 1});
        click("deleteStocks");
        click("exportToCsv"); // no rows: no name is asked for
        QCOMPARE(said(), watchexport::NoData);

        while (list().count() < WatchList::AddButtonLimit)
            panel()->addEntry({"Company", "NSE", "C" + std::to_string(list().count())});
        click("addStock");
        QCOMPARE(said(), WatchList::AddButtonFullMessage);
        QCOMPARE(chooserCalls, 1);
    }

    // Both switches are needed, and a chart opened before the day's files exist says so until
    // they do. Each chart then has its own stock and timer.
    void liveChartsDrawTheFilesTheListWritesAndTheTickerFollowsTheRefreshes()
    {
        bed.clock.set(makeLocalTime(2026, 12, 4, 11, 0, 0));
        click("intraday");
        bed.program->panels().pressLiveChart();
        click("liveData");
        bed.program->bar().button("liveChart")->click();
        QPointer<LiveChartWindow> early = liveCharts().value(0);
        QCOMPARE(bed.messenger.shown,
                 (std::vector<std::string>{PanelHost::CheckSwitches, LiveChart::IntradayMissing}));
        QVERIFY(!early->running() && control<QPushButton>(early, "start")->isEnabled());
        logMinutes({1500, 1502, 1501});
        control<QPushButton>(early, "start")->click();
        early->tick();
        QCOMPARE(early->problem(), QString());
        QCOMPARE(control<ChartControl>(early, "priceChart")->pointCount(1), 3);
        control<QPushButton>(early, "close")->click();
        QTRY_VERIFY(early.isNull());

        bed.program->bar().button("liveChart")->click();
        LiveChartWindow *first = liveCharts().value(0);
        const auto button = [&](const char *id) { return control<QPushButton>(first, id); };
        auto *stocks = control<QComboBox>(first, "stockCombo");
        QVERIFY(first->running() && !button("start")->isEnabled());
        auto *prices = control<ChartControl>(first, "priceChart");
        QCOMPARE(prices->pointCount(2), 2);
        QCOMPARE(control<QLabel>(first, "stockPrice")->text(), "5503.00");

        stocks->setCurrentText("INFY");
        QCOMPARE(first->chart().stock().maximum(), 1502.0);
        first->tick();
        QCOMPARE(prices->pointCount(1), 3);
        QCOMPARE(control<ChartControl>(first, "volumeChart")->pointCount(1), 3);
        QCOMPARE(control<QLabel>(first, "niftyPrice")->text(), "24003.00");

        auto *rates = control<QComboBox>(first, "rateCombo");
        rates->setCurrentText("High");
        QCOMPARE(first->periodMs(), 10000);
        button("stop")->click();
        rates->setCurrentText("Low");
        QVERIFY(!first->running()); // stopped, and a new rate does not start it
        button("start")->click();
        QCOMPARE(first->periodMs(), 20000);

        bed.program->bar().button("liveChart")->click();
        // Each chart opens on the alphabetically first stock.
        QCOMPARE(control<QComboBox>(liveCharts().back(), "stockCombo")->currentText(), "DRREDDY");
        QCOMPARE(liveCharts().back()->periodMs(), 15000);

        // A data file that can't be opened is said (which, and how often, is the logger's).
        QDir(bed.path("data/LiveData")).removeRecursively();
        QVERIFY(QFile(bed.path("data/LiveData")).open(QIODevice::WriteOnly));
        logMinutes({1500});
        QTRY_COMPARE(said(), std::string(DataLogger::LiveOpen));

        // The ticker stands in for the bar and follows the refreshes.
        MainBar &bar = bed.program->bar();
        bar.show();
        bar.button("tickerBar")->click();
        QPointer<TickerBar> ticker = bed.program->ticker();
        QCOMPARE(control<QLabel>(ticker, "niftyValue")->text(), "24,004.00");
        QCOMPARE(control<QLabel>(ticker, "niftyChange")->text(), "(-2.50 )");
        ScrollingBand *band = ticker->band();
        QCOMPARE(band->scroll().speed(), TickerBar::StartSpeed);

        // Let go at the groove's left end the band stops; at the right end it runs at top speed.
        QSlider *slider = ticker->speedSlider();
        dragThumb(slider, -10);
        QVERIFY(!band->tickPending());
        const int at = band->scroll().offset();
        dragThumb(slider, slider->width() + 10);
        QCOMPARE(band->scroll().speed(), TickerBar::MaxSpeed);
        QTRY_VERIFY(band->scroll().offset() < at);

        logMinutes({1400}); // the list changed on the refresh: so does the band
        QCOMPARE(band->segments()[1].text, "  1,400.00");
        bar.showFromTray(); // back through the tray beside the ticker, which the button hides
        bar.button("tickerBar")->click();
        QVERIFY(!bar.isVisible());
        control<QPushButton>(ticker, "backToMainBar")->click();
        QVERIFY(bar.isVisible() && !bar.hiddenInTray());
        QTRY_VERIFY(ticker.isNull());
    }
};

QTEST_MAIN(WatchListTest)
#include "watchlist_test.moc"
