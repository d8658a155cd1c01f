#include "core/gains/gainsexport.h"
#include "core/gains/holdingreturns.h"
#include "core/portfolio/brokerbook.h"
#include "core/portfolio/holdingcells.h"
#include "gui/controls/exportnamedialog.h"
#include "gui/portfolio/configurebrokerdialog.h"
#include "gui/portfolio/gainsyeardialog.h"
#include "gui/portfolio/holdinglistmodel.h"
#include "gui/portfolio/holdingsection.h"
#include "gui/portfolio/importtradesdialog.h"
#include "gui/portfolio/jan2018valuesdialog.h"
#include "gui/portfolio/portfoliopanel.h"
#include "gui/portfolio/selldialog.h"
#include "gui/portfolio/tradesdialog.h"
#include "gui/shell/panelhost.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>

// The trade book through the portfolio panel, on a real database file: a tradebook imported
// and imported again, a sale typed on a holding row, and the trades listed with their results.
class TradeBookGuiTest : public QObject
{
    Q_OBJECT
    GuiBed bed;

    PortfolioPanel *panel() const
    {
        return qobject_cast<PortfolioPanel *>(bed.program->panels().panel(PanelKind::Profile));
    }
    HoldingListModel *delivery() const { return panel()->section(TradeKind::Delivery)->model(); }
    QString cell(int row, int column) const
    {
        return delivery()->index(row, column).data().toString();
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
    void openPanel()
    {
        bed.makeProgram();
        QVERIFY(bed.openDatabase());
        bed.program->start(false);
        bed.program->bar().button("profile")->click();
        QVERIFY(panel() && panel()->isVisible());
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
        QFile::remove(bed.databaseFile());
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
        QCOMPARE(delivery()->stockCount(), 2);
        QCOMPARE(cell(0, holdingcol::Quantity), QStringLiteral("6"));
        QCOMPARE(cell(1, holdingcol::Quantity), QStringLiteral("3"));

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
        QCOMPARE(cell(0, holdingcol::Quantity), QStringLiteral("6"));
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
        while (tcs < delivery()->stockCount() && delivery()->row(tcs).symbol != "TCS")
            ++tcs;
        QVERIFY(tcs < delivery()->stockCount());
        QCOMPARE(cell(tcs, holdingcol::Xirr), QString::fromLatin1(NoXirrWithoutDates));
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

QTEST_MAIN(TradeBookGuiTest)
#include "tradebookgui_test.moc"
