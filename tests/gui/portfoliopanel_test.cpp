#include "core/portfolio/holdingcells.h"
#include "core/portfolio/portfolioexport.h"
#include "gui/controls/colourlabel.h"
#include "gui/controls/exportnamedialog.h"
#include "gui/controls/stocklist.h"
#include "gui/portfolio/holdingentrydialog.h"
#include "gui/portfolio/holdinglistmodel.h"
#include "gui/portfolio/holdingsection.h"
#include "gui/portfolio/lotdialog.h"
#include "gui/portfolio/portfoliopanel.h"
#include "gui/shell/panelhost.h"
#include "gui/store/companysearchresultdialog.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"
#include "support/resultlist.h"

#include <QListView>
#include <QListWidget>
#include <QStyle>
#include <QTableWidget>

// The portfolio panel inside the real program, on a real database file: the "Profile"
// button, the lists valued through the real refresh cycle against the simulated market, and
// what the user finds again after a restart. The arithmetic itself is tested in core.
class PortfolioPanelTest : public QObject
{
    Q_OBJECT
    GuiBed bed;
    long brokerId = 0;

    PortfolioPanel *panel() const
    {
        return qobject_cast<PortfolioPanel *>(bed.program->panels().panel(PanelKind::Profile));
    }
    HoldingListModel *model(TradeKind kind) const { return panel()->section(kind)->model(); }
    QString cell(TradeKind kind, int row, int column) const
    {
        return model(kind)->index(row, column).data().toString();
    }
    double number(TradeKind kind, int row, int column) const
    {
        return model(kind)->index(row, column).data(StockListModel::RawValueRole).toDouble();
    }
    void click(const char *name) const { ::control<QAbstractButton>(panel(), name)->click(); }
    void select(TradeKind kind, int row) const { panel()->section(kind)->view()->selectRow(row); }
    void seed(const BrokerEntry &broker, const std::vector<ProfileLot> &lots)
    {
        CompanyDatabase seeder("portfolio-test-seed");
        QVERIFY(seeder.open(resolveStoreConfig({}, bed.databaseFile(), {})).ok());
        QVERIFY(seeder.brokers().insert(broker).ok());
        brokerId = seeder.brokers().loadAll().value().back().id;
        std::vector<ProfileLot> named = lots;
        for (ProfileLot &lot : named)
            lot.brokerId = brokerId;
        QVERIFY(seeder.profile().insertLots(named).ok());
    }
    std::vector<ProfileLot> stored() const
    {
        CompanyDatabase other("portfolio-test-reader");
        if (!other.open(resolveStoreConfig({}, bed.databaseFile(), {})))
            return {};
        return other.profile().loadAll().value();
    }
    void openPanel()
    {
        bed.makeProgram();
        QVERIFY(bed.openDatabase());
        bed.program->start(false);
        bed.program->bar().button("profile")->click();
        QVERIFY(panel() && panel()->isVisible());
        for (TradeKind kind : {TradeKind::Delivery, TradeKind::Intraday})
            new QAbstractItemModelTester(
                model(kind), QAbstractItemModelTester::FailureReportingMode::QtTest, panel());
    }

private slots:
    void init()
    {
        BrokerEntry plain{0, "Plain Broker", {}}; // every rate 0: the lists show bare values
        seed(plain, {{"Infosys Limited", "NSE", "INFY", 0, 50, 100, 0},
                     {"Reliance Industries Limited", "BSE", "500325", 0, 2400, 10, 0},
                     {"Infosys Limited", "NSE", "INFY", 0, 60, 300, 0},
                     {"Infosys Limited", "NSE", "INFY", 1, 1500, 20, 0}});
    }
    void cleanup()
    {
        bed.reset();
        bed.sim.stop();
        QFile::remove(bed.databaseFile());
    }

    void beforeAnyQuoteTheListsShowCostsAndTheExportWritesThem()
    {
        openPanel(); // no simulator: every refresh fails and no quote arrives
        QCOMPARE(model(TradeKind::Delivery)->rowCount(), 2);
        QCOMPARE(cell(TradeKind::Delivery, 0, holdingcol::CostPlusCharges),
                 QStringLiteral("23,000.00"));
        QCOMPARE(cell(TradeKind::Delivery, 0, holdingcol::BrokerId), QString::number(brokerId));
        QCOMPARE(model(TradeKind::Delivery)
                     ->index(0, holdingcol::NetProfitLoss)
                     .data(Qt::ForegroundRole)
                     .value<QBrush>()
                     .color(),
                 QColor(0, 0, 255));
        QCOMPARE(panel()->section(TradeKind::Delivery)->total(0)->text(),
                 QStringLiteral("47,000.00"));

        whenModal<ExportNameDialog>([](ExportNameDialog *d) {
            d->edit()->setText(QStringLiteral("holdings"));
            d->accept();
        });
        click("exportToCsv");
        const QString path = bed.ctx->dataRoot + QStringLiteral("/ProfileData/holdings.csv");
        QCOMPARE(bed.messenger.shown.back(),
                 "Profile present displayed data is exported Successfully at \n" +
                     path.toStdString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        // The layout of the file is the core's; here the panel's rows reach it.
        const QByteArray written = file.readAll();
        QVERIFY(written.startsWith("My PROFILE for Current Stocks in My Hand\n"));
        QVERIFY(written.contains("Infosys Limited,NSE,20,1500.00,0.00,0.00,30000.00,"));
    }

    void theRefreshCycleValuesTheHoldingsWithMarketPrices()
    {
        QVERIFY2(bed.startSim(), qPrintable(bed.sim.errorText()));
        openPanel(); // the button starts a refresh at once
        QVERIFY(QSignalSpy(panel(), &PortfolioPanel::refreshed).wait(30000));
        QTRY_VERIFY_WITH_TIMEOUT(number(TradeKind::Delivery, 0, holdingcol::MarketPrice) > 0,
                                 30000);
        // One quote per symbol: the delivery list's first, then the intraday list's new ones.
        QVERIFY2(bed.requests().last().contains("INFY.NS,500325.BO&f="),
                 qPrintable(bed.requests().last()));
        // With every rate 0 the result is the bare difference (the arithmetic is the core's).
        const HoldingRow &row = model(TradeKind::Intraday)->row(0);
        QCOMPARE(row.netProfitLoss, (row.marketPrice - row.averageCost) * row.quantity);
        QCOMPARE(number(TradeKind::Delivery, 0, holdingcol::MarketPrice),
                 number(TradeKind::Intraday, 0, holdingcol::MarketPrice));
        const HoldingTotals &totals = panel()->portfolio().list(TradeKind::Delivery).totals;
        const QColor expected = totals.unrealized > 0   ? QColor(0, 128, 0)
                                : totals.unrealized < 0 ? QColor(255, 0, 0)
                                                        : QColor(0, 0, 255);
        const Rgb seen = panel()->section(TradeKind::Delivery)->total(2)->textColour();
        QCOMPARE(QColor(seen.r, seen.g, seen.b), expected);

        // Connected now: a double click opens the stock's chart.
        QTableView *view = panel()->section(TradeKind::Intraday)->view();
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                           view->visualRect(model(TradeKind::Intraday)->index(0, 0)).center());
        QVERIFY(bed.program->bar().findChild<QWidget *>("historicalChart"));
    }

    // The largest holdings a list meets, valued at market prices: every number is shown
    // whole however narrow the panel; the names give way first, then the list scrolls.
    void numbersAreNeverCut()
    {
        {
            CompanyDatabase seeder("portfolio-test-big");
            QVERIFY(seeder.open(resolveStoreConfig({}, bed.databaseFile(), {})).ok());
            QVERIFY(seeder.profile()
                        .insertLots(
                            {{"Tata Consultancy Services Limited", "NSE", "TCS", 0, 15048.1, 26000,
                              brokerId},
                             {"Yes Bank Limited", "NSE", "YESBANK", 0, 20.05, 999999, brokerId}})
                        .ok());
        }
        QVERIFY2(bed.startSim(), qPrintable(bed.sim.errorText()));
        openPanel();
        QVERIFY(QSignalSpy(panel(), &PortfolioPanel::refreshed).wait(30000));
        StockListView *view = panel()->section(TradeKind::Delivery)->view();
        QCOMPARE(cell(TradeKind::Delivery, 2, holdingcol::CostPlusCharges),
                 QStringLiteral("39,12,50,600.00"));
        const int margins =
            2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 1;
        for (int width : {view->width(), 300}) {
            view->resize(width, view->height());
            const HoldingListModel *m = model(TradeKind::Delivery);
            for (int c = 0; c < m->columnCount(); ++c) {
                if (view->isColumnHidden(c) || m->alignment(c) != Qt::AlignRight)
                    continue;
                for (int row = 0; row < m->rowCount(); ++row) {
                    const QString text = m->index(row, c).data().toString();
                    QVERIFY2(view->fontMetrics().horizontalAdvance(text) + margins <=
                                 view->columnWidth(c),
                             qPrintable(QStringLiteral("%1 in column %2 of width %3")
                                            .arg(text)
                                            .arg(c)
                                            .arg(view->columnWidth(c))));
                }
            }
        }
    }

    void addAndEditGoThroughTheEntryDialogAndReachTheTableInPlace()
    {
        openPanel();
        bool timerRanDuringDialog = true;
        whenModal<HoldingEntryDialog>([&](HoldingEntryDialog *d) {
            timerRanDuringDialog = bed.ctx->refresh.timerActive();
            typeInto(d, "searchText", "tata steel");
            whenModal<CompanySearchResultDialog>([](CompanySearchResultDialog *r) {
                pickRow(control<QListView>(r, "resultList"), 0);
                control<QPushButton>(r, "ok")->click();
            });
            control<QPushButton>(d, "search")->click();
            whenModal<LotDialog>([](LotDialog *l) {
                typeInto(l, "shares", "10");
                typeInto(l, "price", "100");
                control<QPushButton>(l, "ok")->click();
            });
            control<QPushButton>(d, "addLot")->click();
            control<QPushButton>(d, "ok")->click();
        });
        click("deliveryAdd");
        QVERIFY(!timerRanDuringDialog);
        QVERIFY(bed.ctx->refresh.timerActive());
        QCOMPARE(model(TradeKind::Delivery)->rowCount(), 3);
        QCOMPARE(cell(TradeKind::Delivery, 2, holdingcol::Symbol), QStringLiteral("TATASTEEL"));
        QCOMPARE(stored().back().symbol, std::string("TATASTEEL"));
        QVERIFY(panel()->portfolio().quoteSymbols().back() == "TATASTEEL.NS");

        select(TradeKind::Intraday, 0);
        whenModal<HoldingEntryDialog>([](HoldingEntryDialog *d) {
            control<QTableWidget>(d, "lotList")->selectRow(0);
            whenModal<LotDialog>([](LotDialog *l) {
                typeInto(l, "price", "1450");
                control<QPushButton>(l, "ok")->click();
            });
            control<QPushButton>(d, "editLot")->click();
            control<QPushButton>(d, "ok")->click();
        });
        click("intradayEdit");
        QCOMPARE(cell(TradeKind::Intraday, 0, holdingcol::AverageCost), QStringLiteral("1,450.00"));
        // Edited where it stood: the table's order is the order the lists are built in.
        const std::vector<ProfileLot> lots = stored();
        QCOMPARE(lots.size(), 5u);
        QCOMPARE(lots[3].price, 1450.0);
        QCOMPARE(lots[3].deliveryType, 1);
    }

    void deleteAsksAndTouchesOnlyItsOwnListAndTheTableKeepsTheRest()
    {
        openPanel();
        click("deliveryDelete");
        QCOMPARE(bed.messenger.shown.back(), std::string(PortfolioPanel::NoDeleteSelection));
        select(TradeKind::Delivery, 0);
        click("deliveryDelete"); // answered No
        QCOMPARE(bed.messenger.shown.back(),
                 std::string("Are you sure that you want to DELETE  Infosys Limited?"));
        QCOMPARE(stored().size(), 4u);
        bed.messenger.setNextAnswer(true);
        click("deliveryDelete");
        QCOMPARE(model(TradeKind::Delivery)->rowCount(), 1);
        QCOMPARE(cell(TradeKind::Intraday, 0, holdingcol::Symbol), QStringLiteral("INFY"));
        QCOMPARE(stored().size(), 2u);

        // The closing "X" destroys the panel; the next press builds it from the table again.
        click("closePanel");
        QTRY_VERIFY(!panel());
        bed.program->bar().button("profile")->click();
        QVERIFY(panel());
        QCOMPARE(model(TradeKind::Delivery)->rowCount(), 1);
        QCOMPARE(cell(TradeKind::Delivery, 0, holdingcol::Symbol), QStringLiteral("500325"));
    }
};

QTEST_MAIN(PortfolioPanelTest)
#include "portfoliopanel_test.moc"
