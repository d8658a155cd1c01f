#include "core/gains/gainsexport.h"
#include "core/gains/holdingreturns.h"
#include "core/portfolio/holdingcells.h"
#include "gui/controls/colourlabel.h"
#include "gui/controls/exportnamedialog.h"
#include "gui/controls/stocklist.h"
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

#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTableWidget>

// The portfolio panel inside the real program on a real database file, valued by the real
// refresh against the simulated market, with its trade book; the arithmetic is core's.
class PortfolioPanelTest : public QObject
{
    Q_OBJECT
    GuiBed bed;
    static constexpr TradeKind Delivery = TradeKind::Delivery, Intraday = TradeKind::Intraday;

    PortfolioPanel *panel() const
    {
        return qobject_cast<PortfolioPanel *>(bed.program->panels().panel(PanelKind::Profile));
    }
    HoldingListModel *model(TradeKind kind = Delivery) const
    {
        return panel()->section(kind)->model();
    }
    QString cell(int row, int column, TradeKind kind = Delivery) const
    {
        return model(kind)->index(row, column).data().toString();
    }
    QStringList column(int column, TradeKind kind = Delivery) const
    {
        QStringList out;
        for (int row = 0; row < model(kind)->rowCount(); ++row)
            out << cell(row, column, kind);
        return out;
    }
    void click(const char *name) const { ::control<QAbstractButton>(panel(), name)->click(); }
    void select(TradeKind kind, int row) const { panel()->section(kind)->view()->selectRow(row); }
    std::string said() const { return bed.messenger.shown.back(); }
    static void lot(LotDialog *l, const char *shares, const char *price = nullptr)
    {
        typeInto(l, "shares", shares);
        if (price)
            typeInto(l, "price", price);
        control<QPushButton>(l, "ok")->click();
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
        bed.program->start();
        bed.program->bar().button("profile")->click();
        testModelOf(panel()->section(Delivery)->view()); // both kinds' lists are of one class
    }
    // The panel on four lots of two companies, and more, with the second of two brokers whose
    // every rate is 0.
    void openSeeded(std::vector<ProfileLot> more = {})
    {
        std::vector<ProfileLot> lots{
            {"Infosys Limited", "NSE", "INFY", 0, 50, 100, 0},
            {"Reliance Industries Limited", "BSE", "500325", 0, 2400, 10, 0},
            {"Infosys Limited", "NSE", "INFY", 0, 60, 300, 0},
            {"Infosys Limited", "NSE", "INFY", 1, 1500, 20, 0}};
        lots.insert(lots.end(), more.begin(), more.end());
        CompanyDatabase seeder("portfolio-test-seed");
        QVERIFY(seeder.open(resolveStoreConfig({}, bed.databaseFile(), {})).ok());
        QVERIFY(seeder.brokers().insert(BrokerEntry{0, "First Broker", {}}).ok());
        QVERIFY(seeder.brokers().insert(BrokerEntry{0, "Plain Broker", {}}).ok());
        const long brokerId = seeder.brokers().loadAll().value().back().id;
        for (ProfileLot &lot : lots)
            lot.brokerId = brokerId;
        QVERIFY(seeder.profile().insertLots(lots).ok());
        openPanel();
    }
    // A tradebook of NSE cash trades, "SYMBOL ISIN DATE SIDE QUANTITY PRICE ID" each.
    QString tradebook(std::initializer_list<const char *> trades, const QByteArray &more = {})
    {
        QByteArray rows = "symbol,isin,trade_date,exchange,segment,series,trade_type,auction,"
                          "quantity,price,trade_id,order_id,order_execution_time\n";
        for (const char *trade : trades) {
            const QList<QByteArray> f = QByteArray(trade).split(' ');
            rows += f[0] + ',' + f[1] + ',' + f[2] + ",NSE,EQ,EQ," + f[3] + ",false," + f[4] + ',' +
                    f[5] + ',' + f[6] + ',' + QByteArray::number(f[6].toInt() % 100) + ',' + f[2] +
                    "T10:00:00\n";
        }
        const QString file = bed.path("tradebook.csv");
        QFile out(file);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(rows + more);
        return file;
    }
    // Runs the import dialog on the file as the panel would after its file dialog.
    QString import(const QString &file)
    {
        ImportTradesDialog dialog(*bed.ctx, file, panel()->brokers(), panel());
        const QString shown = dialog.findChild<QPlainTextEdit *>("preview")->toPlainText();
        auto *button = dialog.findChild<QPushButton *>("import");
        if (button->isEnabled()) {
            button->click();
            if (dialog.result() == QDialog::Accepted)
                panel()->reloadLots();
        }
        return shown;
    }
    // Answers the export's name dialog with name, and reads what it wrote under ProfileData.
    QByteArray exported(const char *button, const char *name, const std::string &told)
    {
        whenModal<ExportNameDialog>([name](ExportNameDialog *d) {
            d->edit()->setText(name);
            d->accept();
        });
        click(button);
        const QString path = bed.ctx->dataRoot + "/ProfileData/" + name + ".csv";
        [&] { QCOMPARE(said(), told + path.toStdString()); }();
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
    }

private slots:
    void cleanup() { bed.tearDown(); }

    void beforeAnyQuoteTheListsShowCostsExportDeleteOnlyTheirOwnAndAddAndEdit()
    {
        openSeeded(); // no simulator: every refresh fails and no quote arrives
        const QVariant blue = model()->index(0, holdingcol::NetProfitLoss).data(Qt::ForegroundRole);
        QCOMPARE(blue.value<QBrush>().color(), QColor(0, 0, 255));
        QCOMPARE(panel()->section(Delivery)->total(0)->text(), "47,000.00");
        // The layout of the file is the core's; here the panel's rows reach it.
        const QByteArray written =
            exported("exportToCsv", "holdings",
                     "Profile present displayed data is exported Successfully at \n");
        QVERIFY(written.contains("Infosys Limited,NSE,20,1500.00,0.00,0.00,30000.00,"));

        // An edit shows the stored lots of its kind only, its search and lot count fixed, and
        // changes them in place under their broker (the second, not the first).
        select(Intraday, 0);
        whenModal<HoldingEntryDialog>([](HoldingEntryDialog *d) {
            QCOMPARE(d->windowTitle(), "Add/Edit Profile Stocks:: INTRADAY");
            for (const char *id : {"searchText", "search", "nse", "bse", "addLot", "deleteLot"})
                QVERIFY2(!control<QWidget>(d, id)->isEnabled(), id);
            control<QTableWidget>(d, "lotList")->selectRow(0);
            whenModal<LotDialog>([](LotDialog *l) { lot(l, "20", "1450"); });
            control<QPushButton>(d, "editLot")->click();
            control<QPushButton>(d, "ok")->click();
        });
        click("intradayEdit");
        QCOMPARE(cell(0, holdingcol::AverageCost, Intraday) + " by " +
                     cell(0, holdingcol::BrokerId, Intraday),
                 "1,450.00 by " + cell(0, holdingcol::BrokerId));

        click("deliveryDelete");
        QCOMPARE(said(), PortfolioPanel::NoDeleteSelection);
        select(Delivery, 0);
        click("deliveryDelete"); // answered No
        QCOMPARE(said(), "Are you sure that you want to DELETE  Infosys Limited?");
        QCOMPARE(stored().size(), 4u);
        bed.messenger.setNextAnswer(true);
        click("deliveryDelete");
        QCOMPARE(column(holdingcol::Symbol), QStringList{"500325"});
        QCOMPARE(stored().size(), 2u);

        // Add goes through the entry dialog and reaches the list in place. Enter in the search
        // text searches without ending the dialog; a failed store keeps the dialog open.
        QVERIFY(bed.ctx->database.connection()
                    .run("CREATE TRIGGER refuse_tata BEFORE INSERT ON TRADES WHEN NEW.SYMBOL = "
                         "'TATASTEEL' BEGIN SELECT RAISE(ABORT, 'refused by test'); END")
                    .ok());
        bool timerRanDuringDialog = true;
        whenModal<HoldingEntryDialog>([&](HoldingEntryDialog *d) {
            timerRanDuringDialog = bed.ctx->refresh.timerActive();
            typeInto(d, "searchText", "tata steel");
            whenModal<CompanySearchResultDialog>([](CompanySearchResultDialog *r) {
                pickRow(control<QListView>(r, "resultList"), 0);
                control<QPushButton>(r, "ok")->click();
            });
            QTest::keyClick(control<QLineEdit>(d, "searchText"), Qt::Key_Return);
            QCOMPARE(control<QLabel>(d, "companyName")->text(), "Tata Steel Limited");
            whenModal<LotDialog>([this](LotDialog *l) {
                QCOMPARE(control<QLabel>(l, "companyName")->text(), "Tata Steel Limited");
                lot(l, "1e2");
                QCOMPARE(said(), "Please enter an integer.");
                lot(l, "100"); // the form's rules are core's: one of them shows the wiring
                QCOMPARE(said(), HoldingForm::ZeroLotMessage);
                lot(l, "100", " 250.5");
            });
            control<QPushButton>(d, "addLot")->click();
            whenModal<LotDialog>([](LotDialog *l) { lot(l, "50", "240"); });
            control<QPushButton>(d, "addLot")->click();
            auto *lots = control<QTableWidget>(d, "lotList");
            QStringList shown;
            for (int row = 0; row < lots->rowCount(); ++row)
                shown << lots->item(row, 0)->text() + " x " + lots->item(row, 1)->text();
            QCOMPARE(shown, (QStringList{"250.50 x 100", "240.00 x 50"}));
            control<QComboBox>(d, "broker")->setCurrentIndex(1);
            control<QPushButton>(d, "ok")->click();
            QVERIFY(d->isVisible());
            QVERIFY(bed.ctx->database.connection().run("DROP TRIGGER refuse_tata").ok());
            control<QPushButton>(d, "ok")->click();
        });
        click("deliveryAdd");
        QVERIFY(!timerRanDuringDialog && bed.ctx->refresh.timerActive());
        QCOMPARE(column(holdingcol::Symbol), (QStringList{"500325", "TATASTEEL"}));
        // Bought today by the clock, under the broker chosen.
        const std::vector<ProfileLot> all = stored();
        const long plain = cell(0, holdingcol::BrokerId).toLong();
        QCOMPARE(std::vector(all.end() - 2, all.end()),
                 (std::vector<ProfileLot>{
                     {"Tata Steel Limited", "NSE", "TATASTEEL", 0, 250.5, 100, plain, "2026-12-04"},
                     {"Tata Steel Limited", "NSE", "TATASTEEL", 0, 240, 50, plain, "2026-12-04"}}));

        click("closePanel"); // the "X" destroys the panel
        QTRY_VERIFY(!panel());
    }

    // The refresh cycle values the holdings with market prices, the largest of them too: their
    // numbers stay whole however narrow the panel.
    void theRefreshCycleValuesTheHoldingsAndNumbersAreNeverCut()
    {
        QVERIFY2(bed.startSim(), qPrintable(bed.sim.errorText()));
        openSeeded({{"Tata Consultancy Services Limited", "NSE", "TCS", 0, 15048.1, 26000, 0},
                    {"Yes Bank Limited", "NSE", "YESBANK", 0, 20.05, 999999, 0}});
        QTRY_VERIFY_WITH_TIMEOUT(cell(0, holdingcol::MarketPrice) != "0.00", 30000);
        QCOMPARE(cell(0, holdingcol::MarketPrice), cell(0, holdingcol::MarketPrice, Intraday));
        QCOMPARE(panel()->section(Delivery)->total(2)->textColour(),
                 signColour(panel()->portfolio().list(Delivery).totals.unrealized));
        StockListView *view = panel()->section(Delivery)->view();
        const int margins =
            2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 1;
        for (int width : {view->width(), 300}) {
            view->resize(width, view->height());
            for (int c = 0; c < model()->columnCount(); ++c) {
                if (view->isColumnHidden(c) || model()->alignment(c) != Qt::AlignRight)
                    continue;
                for (const QString &number : column(c))
                    QVERIFY2(view->fontMetrics().horizontalAdvance(number) + margins <=
                                 view->columnWidth(c),
                             qPrintable(number));
            }
        }
        // Connected now: a double click opens the stock's chart.
        QTableView *intraday = panel()->section(Intraday)->view();
        QTest::mouseDClick(intraday->viewport(), Qt::LeftButton, {},
                           intraday->visualRect(model(Intraday)->index(0, 0)).center());
        QVERIFY(bed.program->bar().findChild<QWidget *>("historicalChart"));
    }

    // The second import of a file adds nothing; a sale shrinks its row and is listed with its
    // result; a store that fails half way keeps the preview open and stores none of the file.
    // The gains export asks a missing Jan-2018 value once and writes the year.
    void importsSalesAndTheGainsExport()
    {
        openPanel();
        const QString file = tradebook({"INFY INE009A01021 2026-11-02 buy 10 1500.50 501",
                                        "TCS INE467B01029 2026-11-03 buy 3 3400 502",
                                        "INFY INE009A01021 2026-11-20 sell 4 1600 503"},
                                       "NIFTY26DECFUT,,2026-11-20,NSE,FO,,buy,false,50,24000,504,4,"
                                       "2026-11-20T10:00:00\n");
        const QString first = import(file);
        QVERIFY2(first.startsWith("3 new, 0 already held, 1 refused"), qPrintable(first));
        QCOMPARE(column(holdingcol::Quantity), (QStringList{"6", "3"}));
        import(file);

        select(Delivery, 1);
        whenModal<SellDialog>([this](SellDialog *d) {
            control<QLineEdit>(d, "quantity")->setText("4");
            control<QLineEdit>(d, "price")->setText("3,500.50");
            d->accept(); // more than is held: refused, the dialog stays
            QVERIFY(said().find("You hold only 3") != std::string::npos);
            control<QLineEdit>(d, "quantity")->setText("2");
            d->accept();
        });
        click("deliverySell");
        QCOMPARE(cell(1, holdingcol::Quantity), "1");
        const std::vector<Trade> trades = bed.ctx->database.trades().loadAll().value();
        QCOMPARE(std::tuple(trades.size(), trades[3].price, trades[3].date),
                 std::tuple(4u, 3500.5, std::string("2026-12-04"))); // the clock's day

        TradesDialog list(*bed.ctx, panel()->pricing(), panel());
        QTableWidget *table = list.table();
        QCOMPARE(table->rowCount(), 4);
        control<QLineEdit>(&list, "symbolFilter")->setText("tcs");
        QCOMPARE(table->rowCount(), 2);
        table->sortItems(4, Qt::DescendingOrder);      // Side: the sale first
        QCOMPARE(table->item(0, 9)->text(), "201.00"); // 2 x 100.50, no broker

        QVERIFY(bed.ctx->database.connection()
                    .run("CREATE TRIGGER refuse_wipro BEFORE INSERT ON TRADES WHEN NEW.SYMBOL = "
                         "'WIPRO' BEGIN SELECT RAISE(ABORT, 'refused by test'); END")
                    .ok());
        ImportTradesDialog dialog(*bed.ctx,
                                  tradebook({"INFY INE009A01021 2026-11-21 buy 10 1500 801",
                                             "WIPRO INE075A01022 2026-11-22 buy 3 300 802"}),
                                  panel()->brokers(), panel());
        dialog.show();
        dialog.findChild<QPushButton *>("import")->click();
        QVERIFY(dialog.isVisible());
        QVERIFY(said().find("refused by test") != std::string::npos);
        QCOMPARE(bed.ctx->database.trades().loadAll().value().size(), 4u);

        // HDFCBANK: 10 bought 01-Dec-2017 at 900, sold 01-Jun-2026 at 1,700. With a 31-Jan-2018
        // value of 1,100 the cost for the gain is the higher of 9,000 and the lower of 11,000
        // and 17,000: 11,000, a long-term gain of 6,000. The value is kept, so the next export
        // asks nothing. ITC, typed before lots had dates, has no XIRR and says so.
        import(tradebook({"HDFCBANK INE040A01034 2017-12-01 buy 10 900 701",
                          "HDFCBANK INE040A01034 2026-06-01 sell 10 1700 702",
                          "INFY INE009A01021 2025-12-04 buy 10 1500 703"}));
        QVERIFY(bed.ctx->database.profile()
                    .insertLots({{"ITC LIMITED", "NSE", "ITC", 0, 300, 3, 0, ""}})
                    .ok());
        panel()->reloadLots();
        const int itc = column(holdingcol::Symbol).indexOf("ITC");
        QCOMPARE(cell(itc, holdingcol::Xirr), NoXirrWithoutDates);
        const QString returns = control<QLabel>(panel(), "portfolioReturns")->text();
        QVERIFY2(returns.startsWith("Realised: 8,601.00"), qPrintable(returns)); // 8,000+400+201

        // A trade typed with a future date offers a later year: the clock's is still chosen.
        QCOMPARE(GainsYearDialog({{2027}, {2026}}, {2026}, nullptr).years()->currentText(),
                 "2026-27");
        whenModal<GainsYearDialog>([](GainsYearDialog *d) { d->accept(); });
        whenModal<Jan2018ValuesDialog>([this](Jan2018ValuesDialog *d) {
            d->field("HDFCBANK")->setText("11OO");
            d->accept(); // not a price: refused, the dialog stays
            QCOMPARE(said(), Jan2018ValuesDialog::NotAPrice);
            d->field("HDFCBANK")->setText("1100");
            d->accept();
        });
        QVERIFY(exported("exportGains", "gains", gainsexport::Exported)
                    .contains("HDFCBANK,01-Dec-2017,01-Jun-2026,10,9000.00,11000.00,17000.00,"
                              "6000.00,Long-term\n"));
        whenModal<GainsYearDialog>([](GainsYearDialog *d) { d->accept(); });
        QVERIFY(exported("exportGains", "again", gainsexport::Exported) != "unreadable");
    }
};

QTEST_MAIN(PortfolioPanelTest)
#include "portfoliopanel_test.moc"
