#include "core/gains/gainsexport.h"
#include "core/gains/holdingreturns.h"
#include "core/portfolio/brokerbook.h"
#include "core/portfolio/holdingcells.h"
#include "core/portfolio/portfolioexport.h"
#include "gui/controls/colourlabel.h"
#include "gui/controls/exportnamedialog.h"
#include "gui/controls/stocklist.h"
#include "gui/portfolio/configurebrokerdialog.h"
#include "gui/portfolio/gainsyeardialog.h"
#include "gui/portfolio/holdingentrydialog.h"
#include "gui/portfolio/holdinglistmodel.h"
#include "gui/portfolio/holdingsection.h"
#include "gui/portfolio/importtradesdialog.h"
#include "gui/portfolio/jan2018valuesdialog.h"
#include "gui/portfolio/lotdialog.h"
#include "gui/portfolio/portfoliopanel.h"
#include "gui/portfolio/selldialog.h"
#include "gui/portfolio/tradesdialog.h"
#include "gui/shell/panelhost.h"
#include "gui/store/companysearchresultdialog.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"
#include "support/resultlist.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTableWidget>

// The portfolio panel inside the real program, on a real database file: the "Profile"
// button, the lists valued through the real refresh cycle against the simulated market, what
// the user finds again after a restart, and the trade book: a tradebook imported and imported
// again, a sale typed on a holding row, the trades listed with their results and the gains
// report. The arithmetic itself is tested in core.
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

    // Four lots of two companies with a broker whose every rate is 0: bare values.
    void seedHoldings()
    {
        seed(BrokerEntry{0, "Plain Broker", {}},
             {{"Infosys Limited", "NSE", "INFY", 0, 50, 100, 0},
              {"Reliance Industries Limited", "BSE", "500325", 0, 2400, 10, 0},
              {"Infosys Limited", "NSE", "INFY", 0, 60, 300, 0},
              {"Infosys Limited", "NSE", "INFY", 1, 1500, 20, 0}});
    }
    void openSeeded()
    {
        seedHoldings();
        openPanel();
    }
    QString tradebook(const QByteArray &rows)
    {
        const QString file = bed.path(QStringLiteral("tradebook.csv"));
        QFile out(file);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write("symbol,isin,trade_date,exchange,segment,series,trade_type,auction,quantity,"
                  "price,trade_id,order_id,order_execution_time\n" +
                  rows);
        return file;
    }
    // With VANTREL_SCREENSHOTS set to a folder, the panel as it is now, for a person to look at.
    void snapshot(const char *name) const
    {
        const QString folder = qEnvironmentVariable("VANTREL_SCREENSHOTS");
        if (!folder.isEmpty())
            panel()->grab().save(folder + QLatin1Char('/') + QLatin1String(name) + ".png");
    }
    // Runs the import dialog on the file as the panel would after its file dialog.
    QString import(const QString &file, bool store)
    {
        ImportTradesDialog dialog(*bed.ctx, file, panel()->brokers(), panel());
        const QString shown = dialog.findChild<QPlainTextEdit *>("preview")->toPlainText();
        auto *button = dialog.findChild<QPushButton *>("import");
        if (store && button->isEnabled()) {
            button->click();
            if (dialog.result() == QDialog::Accepted)
                panel()->reloadLots();
        }
        return shown;
    }

private slots:
    void cleanup()
    {
        bed.reset();
        bed.sim.stop();
        QFile::remove(bed.databaseFile());
    }

    void beforeAnyQuoteTheListsShowCostsAndTheExportWritesThem()
    {
        openSeeded(); // no simulator: every refresh fails and no quote arrives
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
        openSeeded(); // the button starts a refresh at once
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
        seedHoldings();
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
        openSeeded();
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
        openSeeded();
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

    void importingTwiceAddsNothingTheSecondTime()
    {
        openPanel();
        const QString file =
            tradebook("INFY,INE009A01021,2026-11-02,NSE,EQ,EQ,buy,false,10,1500.50,501,1,"
                      "2026-11-02T10:00:00\n"
                      "TCS,INE467B01029,2026-11-03,NSE,EQ,EQ,buy,false,3,3400,502,2,"
                      "2026-11-03T10:00:00\n"
                      "INFY,INE009A01021,2026-11-20,NSE,EQ,EQ,sell,false,4,1600,503,3,"
                      "2026-11-20T10:00:00\n"
                      "NIFTY26DECFUT,,2026-11-20,NSE,FO,,buy,false,50,24000,504,4,"
                      "2026-11-20T10:00:00\n");
        const QString first = import(file, true);
        QVERIFY2(first.startsWith("3 new, 0 already held, 1 refused"), qPrintable(first));
        QVERIFY(first.contains("line 5 refused: segment"));
        QCOMPARE(model(TradeKind::Delivery)->stockCount(), 2);
        QCOMPARE(cell(TradeKind::Delivery, 0, holdingcol::Quantity), QStringLiteral("6"));
        QCOMPARE(cell(TradeKind::Delivery, 1, holdingcol::Quantity), QStringLiteral("3"));

        const QString again = import(file, true);
        QVERIFY2(again.startsWith("0 new, 3 already held"), qPrintable(again));
        QCOMPARE(bed.ctx->database.trades().loadAll().value().size(), 3u);
    }

    void aFailedStoreKeepsThePreviewAndStoresNothing()
    {
        openPanel();
        QVERIFY(bed.ctx->database.connection()
                    .run("CREATE TRIGGER refuse_tcs BEFORE INSERT ON TRADES WHEN NEW.SYMBOL = "
                         "'TCS' BEGIN SELECT RAISE(ABORT, 'refused by test'); END")
                    .ok());
        const QString file =
            tradebook("INFY,INE009A01021,2026-11-02,NSE,EQ,EQ,buy,false,10,1500,801,1,"
                      "2026-11-02T10:00:00\n"
                      "TCS,INE467B01029,2026-11-03,NSE,EQ,EQ,buy,false,3,3400,802,2,"
                      "2026-11-03T10:00:00\n");
        ImportTradesDialog dialog(*bed.ctx, file, panel()->brokers(), panel());
        dialog.show();
        dialog.findChild<QPushButton *>("import")->click();
        QVERIFY(dialog.isVisible());
        QVERIFY(bed.messenger.shown.back().find("refused by test") != std::string::npos);
        QVERIFY(bed.ctx->database.trades().loadAll().value().empty());
    }

    void aBrokerPricedByScheduleKeepsItsScheduleUntilUnticked()
    {
        openPanel();
        BrokerBook book(bed.ctx->database.brokers(), bed.messenger);
        QVERIFY(book.load());
        BrokerScheduleTable &schedules = bed.ctx->database.brokerSchedules();
        {
            ConfigureBrokerDialog add(book, bed.messenger, std::nullopt, nullptr, &schedules);
            add.findChild<QLineEdit *>("brokerName")->setText(QStringLiteral("Flat Fee"));
            add.findChild<QCheckBox *>("bySchedule")->setChecked(true);
            add.findChild<QLineEdit *>("intradayPercent")->setText(QStringLiteral("0.03"));
            add.findChild<QLineEdit *>("intradayCap")->setText(QStringLiteral("20"));
            add.findChild<QLineEdit *>("dpCharge")->setText(QStringLiteral("15.34"));
            add.accept();
            QCOMPARE(add.result(), int(QDialog::Accepted));
        }
        const long id = book.brokers().back().id;
        const auto stored = schedules.loadAll().value();
        QCOMPARE(stored.size(), 1u);
        QCOMPARE(stored.at(id), (BrokerSchedule{{0, 0, 0}, {0.03, 0, 20}, 15.34}));

        ConfigureBrokerDialog edit(book, bed.messenger, book.brokers().back(), nullptr, &schedules);
        QVERIFY(edit.findChild<QCheckBox *>("bySchedule")->isChecked());
        QCOMPARE(edit.findChild<QLineEdit *>("dpCharge")->text(), QStringLiteral("15.34"));
        edit.findChild<QCheckBox *>("bySchedule")->setChecked(false);
        edit.accept();
        QVERIFY(schedules.loadAll().value().empty());
    }

    void aSaleShrinksItsRowAndIsListedWithItsResult()
    {
        openPanel();
        import(tradebook("INFY,INE009A01021,2026-11-02,NSE,EQ,EQ,buy,false,10,1500,601,1,"
                         "2026-11-02T10:00:00\n"),
               true);
        panel()->section(TradeKind::Delivery)->view()->selectRow(0);
        whenModal<SellDialog>([this](SellDialog *d) {
            d->findChild<QLineEdit *>("quantity")->setText(QStringLiteral("11"));
            d->findChild<QLineEdit *>("price")->setText(QStringLiteral("1,600.50"));
            d->accept(); // more than is held: refused, the dialog stays
            QVERIFY(bed.messenger.shown.back().find("You hold only 10") != std::string::npos);
            d->findChild<QLineEdit *>("quantity")->setText(QStringLiteral("4"));
            d->accept();
        });
        snapshot("before-sale");
        ::control<QAbstractButton>(panel(), "deliverySell")->click();
        QCOMPARE(cell(TradeKind::Delivery, 0, holdingcol::Quantity), QStringLiteral("6"));
        snapshot("after-sale");

        const std::vector<Trade> trades = bed.ctx->database.trades().loadAll().value();
        QCOMPARE(trades.size(), 2u);
        QCOMPARE(trades[1].price, 1600.5);
        QCOMPARE(trades[1].date, std::string("2026-12-04")); // the clock's day

        TradesDialog list(*bed.ctx, panel()->pricing(), panel());
        QTableWidget *table = list.table();
        QCOMPARE(table->rowCount(), 2);
        list.findChild<QLineEdit *>("symbolFilter")->setText(QStringLiteral("tcs"));
        QCOMPARE(table->rowCount(), 0);
        list.findChild<QLineEdit *>("symbolFilter")->setText(QStringLiteral("infy"));
        QCOMPARE(table->rowCount(), 2);
        table->sortItems(4, Qt::DescendingOrder);                      // Side: the sale first
        QCOMPARE(table->item(0, 9)->text(), QStringLiteral("402.00")); // 4 x 100.50, no broker
    }

    // HDFCBANK: 10 bought 01-Dec-2017 at 900, sold 01-Jun-2026 at 1,700. With a 31-Jan-2018
    // value of 1,100 the cost for the gain is the higher of 9,000 and the lower of 11,000 and
    // 17,000: 11,000, a long-term gain of 6,000. The value is kept, so the next export asks
    // nothing. TCS, typed before lots had dates, has no XIRR and says so.
    void exportGainsAsksTheMissingValueOnceAndWritesTheYear()
    {
        openPanel();
        import(tradebook("HDFCBANK,INE040A01034,2017-12-01,NSE,EQ,EQ,buy,false,10,900,701,1,"
                         "2017-12-01T10:00:00\n"
                         "HDFCBANK,INE040A01034,2026-06-01,NSE,EQ,EQ,sell,false,10,1700,702,2,"
                         "2026-06-01T10:00:00\n"
                         "INFY,INE009A01021,2025-12-04,NSE,EQ,EQ,buy,false,10,1500,703,3,"
                         "2025-12-04T10:00:00\n"),
               true);
        QVERIFY(bed.ctx->database.profile()
                    .insertLots(
                        {{"TATA CONSULTANCY SERVICES LIMITED", "NSE", "TCS", 0, 3500, 3, 0, ""}})
                    .ok());
        panel()->reloadLots();
        int tcs = 0;
        while (tcs < model(TradeKind::Delivery)->stockCount() &&
               model(TradeKind::Delivery)->row(tcs).symbol != "TCS")
            ++tcs;
        QVERIFY(tcs < model(TradeKind::Delivery)->stockCount());
        QCOMPARE(cell(TradeKind::Delivery, tcs, holdingcol::Xirr),
                 QString::fromLatin1(NoXirrWithoutDates));
        const QString returns = panel()->findChild<QLabel *>("portfolioReturns")->text();
        QVERIFY2(returns.startsWith("Realised: 8,000.00"), qPrintable(returns));

        whenModal<GainsYearDialog>([](GainsYearDialog *d) {
            QCOMPARE(d->years()->currentText(), QStringLiteral("2026-27")); // the clock's year
            d->accept();
        });
        whenModal<Jan2018ValuesDialog>([this](Jan2018ValuesDialog *d) {
            QVERIFY(d->field("HDFCBANK"));
            d->field("HDFCBANK")->setText(QStringLiteral("11OO"));
            d->accept(); // not a price: refused, the dialog stays
            QCOMPARE(bed.messenger.shown.back(), std::string(Jan2018ValuesDialog::NotAPrice));
            d->field("HDFCBANK")->setText(QStringLiteral("1100"));
            d->accept();
        });
        whenModal<ExportNameDialog>([](ExportNameDialog *d) {
            d->edit()->setText(QStringLiteral("gains"));
            d->accept();
        });
        ::control<QAbstractButton>(panel(), "exportGains")->click();
        const QString path = bed.ctx->dataRoot + QStringLiteral("/ProfileData/gains.csv");
        QCOMPARE(bed.messenger.shown.back(),
                 std::string(gainsexport::Exported) + path.toStdString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("HDFCBANK,01-Dec-2017,01-Jun-2026,10,9000.00,11000.00,"
                                        "17000.00,6000.00,Long-term\n"));
        QCOMPARE(bed.ctx->database.jan2018Values().loadAll().value(),
                 (Jan2018Values{{"HDFCBANK", 1100}}));

        whenModal<GainsYearDialog>([](GainsYearDialog *d) { d->accept(); });
        whenModal<ExportNameDialog>([](ExportNameDialog *d) {
            d->edit()->setText(QStringLiteral("again"));
            d->accept();
        });
        ::control<QAbstractButton>(panel(), "exportGains")->click();
        QVERIFY(QFile::exists(bed.ctx->dataRoot + QStringLiteral("/ProfileData/again.csv")));
    }
};

QTEST_MAIN(PortfolioPanelTest)
#include "portfoliopanel_test.moc"
