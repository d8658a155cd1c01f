#include "gui/controls/stocklist.h"
#include "gui/futures/futurespanel.h"
#include "gui/shell/panelhost.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QListWidget>

// The futures panel inside the real program, on a real database file, against the simulated
// exchange pages: what a user does with it. The page walk and the Add and Delete rules are
// tested in core; the service's faults in the fault matrix.
class FuturesPanelTest : public QObject
{
    Q_OBJECT
    GuiBed bed;

    FuturesPanel *panel() const
    {
        return qobject_cast<FuturesPanel *>(bed.program->panels().panel(PanelKind::Futures));
    }
    void click(const char *name) const { ::control<QAbstractButton>(panel(), name)->click(); }
    QString text(const char *name) const { return ::control<QLabel>(panel(), name)->text(); }
    QString cell(int month, int row, int column) const
    {
        return panel()->contractList(month)->model()->index(row, column).data().toString();
    }
    QStringList column(int month, int column) const
    {
        QStringList out;
        for (int row = 0; row < panel()->contractList(month)->model()->rowCount(); ++row)
            out << cell(month, row, column);
        return out;
    }
    void seed(const std::vector<FutureRow> &rows)
    {
        CompanyDatabase seeder("futures-test-seed");
        QVERIFY(seeder.open(resolveStoreConfig({}, bed.databaseFile(), {})).ok());
        for (const FutureRow &row : rows)
            QVERIFY(seeder.selectedFutures().insert(row).ok());
    }
    QStringList stored() const
    {
        CompanyDatabase other("futures-test-reader");
        QStringList out;
        if (other.open(resolveStoreConfig({}, bed.databaseFile(), {})))
            for (const FutureRow &row : other.selectedFutures().load().value())
                out << QString::fromStdString(row.symbol);
        return out;
    }
    void openPanel()
    {
        bed.makeProgram();
        QVERIFY(bed.openDatabase());
        bed.program->start(false);
        bed.program->bar().button("futures")->click();
        QVERIFY(panel() && panel()->isVisible());
        for (int month = 0; month < 3; ++month)
            new QAbstractItemModelTester(panel()->contractList(month)->model(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest,
                                         panel());
        panel()->setFetchTimeoutMs(1500);
    }
    void pick(const QStringList &underlyings) const
    {
        QListWidget *choices = panel()->choiceList();
        for (const QString &name : underlyings) {
            const auto found = choices->findItems(name, Qt::MatchExactly);
            QVERIFY2(!found.isEmpty(), qPrintable(name));
            found.front()->setSelected(true);
        }
    }
    void waitForData() const
    {
        QVERIFY(panel()->fetching());
        QSignalSpy finished(panel(), &FuturesPanel::fetchFinished);
        QVERIFY(finished.wait(60000));
        QVERIFY(!panel()->fetching());
        QVERIFY(::control<QAbstractButton>(panel(), "getLatestData")->isEnabled());
        QVERIFY(panel()->findChild<QLabel *>("waitText")->isHidden());
    }

private slots:
    void cleanup()
    {
        bed.reset();
        bed.sim.stop();
        QFile::remove(bed.databaseFile());
    }

    void aUserPicksStocksSeesTheirContractsAndDeletesOne()
    {
        seed({{"Infosys Limited", "INFY"}});
        QVERIFY(bed.startSim({"--latency-ms", "150"}));
        openPanel();
        QCOMPARE(panel()->choiceList()->count(), 208);
        QCOMPARE(text("statisticsHeading"), QStringLiteral("Trade Statisc for DD-MMM-YYYY"));
        click("month1Delete");
        click("addStocks");
        QCOMPARE(bed.messenger.shown, (std::vector<std::string>{FuturesBoard::NothingToDelete,
                                                                FuturesBoard::NothingToAdd}));

        // Infosys is chosen already: the other two join it in the list's order, and their
        // data are fetched.
        pick({"Mahindra & Mahindra Limited", "Infosys Limited", "Larsen & Toubro Limited"});
        click("addStocks");
        QCOMPARE(stored(), (QStringList{"INFY", "LT", "M&M"}));
        QVERIFY(panel()->fetching());
        QVERIFY(!::control<QAbstractButton>(panel(), "addStocks")->isEnabled());
        QVERIFY(!::control<QAbstractButton>(panel(), "month2Delete")->isEnabled());
        QCOMPARE(text("waitText"), QStringLiteral("WAIT...Retrieving Data..."));
        QVERIFY(panel()->findChild<QLabel *>("waitText")->isVisible());
        // The rest of the program goes on meanwhile.
        bed.program->bar().button("world")->click();
        QVERIFY(bed.program->panels().panel(PanelKind::World)->isVisible());
        QVERIFY(!panel()->isVisible());
        waitForData();
        bed.program->bar().button("futures")->click();

        QCOMPARE(column(0, 1), (QStringList{"INFY", "LT", "M&M"}));
        QCOMPARE(text("month3Expiry"), QStringLiteral("25-FEB-2027"));
        QCOMPARE(panel()->statsList()->model()->index(1, 0).data().toString(),
                 QStringLiteral("Stock Futures"));
        QVERIFY(panel()->statsList()->model()->index(1, 1).data().toDouble() > 0);
        for (int month = 0; month < 3; ++month)
            for (int row = 0; row < 3; ++row) {
                QVERIFY(cell(month, row, 4).toDouble() > 0); // the previous close is always there
                for (int c = 2; c < 9; ++c)
                    QVERIFY(cell(month, row, c) == "-" || cell(month, row, c).toDouble() > 0);
            }
        QVERIFY(bed.requests("/marketinfo")
                    .contains("/marketinfo/fo/fomwatchsymbol.jsp?key=M%26M&Fut_Opt=Futures"));
        QCOMPARE(int(bed.messenger.shown.size()), 2);

        const QString larsen = cell(0, 1, 5);
        panel()->contractList(1)->selectRow(2);
        click("month3Delete");
        QCOMPARE(stored(), (QStringList{"INFY", "LT"}));
        QCOMPARE(column(0, 1), (QStringList{"INFY", "LT"}));
        QCOMPARE(cell(0, 1, 5), larsen); // each row keeps its own stock's data meanwhile
        waitForData();
        QCOMPARE(column(2, 0), (QStringList{"Infosys Limited", "Larsen & Toubro Limited"}));

        // Closed while pages come in, the panel takes its fetch with it.
        click("getLatestData");
        QVERIFY(panel()->fetching());
        click("closePanel");
        QTRY_VERIFY_WITH_TIMEOUT(!panel(), 30000);
        bed.refreshOnce();
        QCOMPARE(int(bed.messenger.shown.size()), 2);
    }
};

QTEST_MAIN(FuturesPanelTest)
#include "futurespanel_test.moc"
