#include "gui/charts/historicalchartpanel.h"
#include "gui/controls/colorbutton.h"
#include "gui/controls/exportnamedialog.h"
#include "gui/controls/stocklist.h"
#include "gui/futures/futurespanel.h"
#include "gui/shell/panelhost.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"
#include "support/resultlist.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QRegularExpression>

#include <functional>
#include <optional>

namespace {

QImage draw(int bevel, ColorButton::State state, const QString &caption = QStringLiteral("Go"))
{
    QImage img(60, 28, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    ColorButton::Colours c;
    c.bevel = bevel;
    ColorButton::paint(p, img.rect(), caption, c, state);
    return img;
}

// The bounding box of the caption: pixels far darker than the face.
QRect inkBox(const QImage &img, int inset, int darkerThan = 100)
{
    QRect box;
    for (int y = inset; y < img.height() - inset; ++y)
        for (int x = inset; x < img.width() - inset; ++x)
            if (qGray(img.pixel(x, y)) < darkerThan)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

// The shared controls: the colour button's drawing, and the dialog driver.
class ControlsTest : public QObject
{
    Q_OBJECT
private slots:
    // The face inside the ring, the pressed caption one pixel right and down (only with
    // focus), a disabled caption grey, and the face colour a caller sets.
    void colourButtonDrawing()
    {
        const QImage up = draw(1, {true, false, true}), down = draw(1, {true, true, true});
        QCOMPARE(up.pixel(2, 2), qRgb(213, 247, 255)); // the face colour inside the ring
        QCOMPARE(inkBox(down, 5).topLeft(), inkBox(up, 5).topLeft() + QPoint(1, 1));
        QCOMPARE(draw(2, {false, true, true}), draw(2, {false, false, true}));
        QCOMPARE(draw(0, {false, false, true}).pixel(0, 0), qRgb(213, 247, 255)); // no ring

        const QImage disabled = draw(2, {false, false, false}, "WWW");
        QVERIFY(!inkBox(disabled, 4, 129).isEmpty() && inkBox(disabled, 4, 60).isEmpty());

        ColorButton button("X");
        button.resize(40, 20);
        button.setFaceColour(Rgb{255, 0, 0}, true);
        QCOMPARE(button.grab().toImage().pixel(20, 3), qRgb(255, 0, 0));
    }

    // The dialog driver itself: a test whose dialog never opens must not pass.
    void aDialogThatNeverOpensFailsItsTest()
    {
        bool driven = false;
        QEXPECT_FAIL("", "nothing opens the dialog", Continue);
        whenModal<ExportNameDialog>([&](ExportNameDialog *) { driven = true; }, 100);
        QTRY_VERIFY_WITH_TIMEOUT(dialogdriver::pending.count == 0, 20000);
        QVERIFY(!driven);
    }
};

// The chart panel's requests per button, and what it shows (the pictures are the simulator's).
class ChartPanelTest : public QObject
{
    Q_OBJECT
    GuiBed bed;
    QPointer<HistoricalChartPanel> panel;

    QImage picture() const { return panel->findChild<QLabel *>("chartImage")->pixmap().toImage(); }
    // The buttons' highlights: R for red, . for plain, ? for any other text colour.
    QString marks(std::initializer_list<const char *> names) const
    {
        QString out;
        for (const char *name : names) {
            const Rgb c = panel->button(name)->colours().text;
            out += c == Rgb{255, 0, 0} ? 'R' : c == Rgb{1, 1, 1} ? '.' : '?';
        }
        return out;
    }
    // Does what a user does (opening the panel when there is none); true when the chart came.
    bool loads(const std::function<void()> &act)
    {
        std::optional<QSignalSpy> shown;
        if (panel)
            shown.emplace(panel.data(), &HistoricalChartPanel::imageShown);
        act();
        if (!shown)
            shown.emplace(panel.data(), &HistoricalChartPanel::imageShown);
        return shown->wait(30000) && shown->first().first().toBool();
    }
    bool click(const char *name)
    {
        return loads([&] { panel->button(name)->click(); });
    }

private slots:
    void initTestCase() { QVERIFY2(bed.startSim(), qPrintable(bed.sim.errorText())); }
    void init() { bed.context(); }
    void cleanup() { delete panel; }

    // A stock by its service symbol, then what its buttons add to the chart's request (the
    // request's rules are core's; an index's symbol is the bar's test's).
    void opensWithTheYearRangeAndTheButtonsAppendToTheRequestAndAveragesStopAtFive()
    {
        QVERIFY(loads([&] {
            panel = openHistoricalChart(*bed.ctx, nullptr, "Infosys Limited", "NSE", "INFY");
        }));
        QCOMPARE(bed.requests("/z?"), QStringList{"/z?s=INFY.NS&t=1d&q=l&l=off&z=m&p=&a=&c="});
        // The quote service's 52-week range, without its quotes.
        const QRegularExpression yearRange(QStringLiteral(R"(^\d+\.\d\d - \d+\.\d\d$)"));
        QTRY_VERIFY_WITH_TIMEOUT(
            panel->findChild<QLabel *>("yearRange")->text().contains(yearRange), 30000);

        // The compare box adds the indices and takes them away again. Each press loads the
        // chart with the request so far; a sixth average is refused unloaded and unhighlighted,
        // overlays have no limit, and one highlight stands per exclusive group.
        QCOMPARE(marks({"typeLine", "scaleLinear", "rangeOneDay", "sizeMedium"}), "RRRR");
        const QImage alone = picture();
        const auto compare = [&] { panel->findChild<QCheckBox *>("compareWithIndices")->click(); };
        QVERIFY(loads(compare));
        QVERIFY(picture() != alone);
        QVERIFY(loads(compare));
        for (const char *id : {"averageFifty", "indicatorRsi", "indicatorVolume", "indicatorVolume",
                               "averageFive", "averageFive", "emaFive", "emaTen"})
            QVERIFY(click(id));
        const qsizetype before = bed.requests("/z?").size();
        panel->button("emaTwenty")->click();
        QVERIFY(click("overlayBollinger"));
        QVERIFY(bed.requests("/z?").last().endsWith("&p=,m50,m5,m5,e5,e10,b&a=,r14,v,v&c="));
        QCOMPARE(bed.requests("/z?").size(), before + 1);
        QCOMPARE(marks({"emaTen", "emaTwenty"}), "R.");

        const struct
        {
            const char *press;
            std::initializer_list<const char *> names;
            const char *expected;
            const char *sent;
        } groups[] = {{"typeBar", {"typeBar", "typeLine", "typeCandle"}, "R..", "q=b&"},
                      {"rangeOneYear", {"typeBar", "rangeOneDay", "rangeOneYear"}, "R.R", "t=1y&"},
                      {"typeLine", {"typeLine", "typeBar"}, "R.", "q=l&"}};
        for (const auto &g : groups) {
            QVERIFY2(click(g.press), g.press);
            QVERIFY2(marks(g.names) == QLatin1String(g.expected), g.press);
            QVERIFY2(bed.requests("/z?").last().contains(g.sent), g.press);
        }
    }
};

// What a user does with the futures panel; its page walk and Add and Delete rules are core's.
class FuturesPanelTest : public QObject
{
    Q_OBJECT
    GuiBed bed;

    FuturesPanel *panel() const
    {
        return qobject_cast<FuturesPanel *>(bed.program->panels().panel(PanelKind::Futures));
    }
    void click(const char *name) const { ::control<QAbstractButton>(panel(), name)->click(); }
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
    QStringList stored() const
    {
        CompanyDatabase other("futures-test-reader");
        QStringList out;
        if (other.open(resolveStoreConfig({}, bed.databaseFile(), {})))
            for (const FutureRow &row : other.selectedFutures().load().value())
                out << QString::fromStdString(row.symbol);
        return out;
    }
    void waitForData() const
    {
        QSignalSpy finished(panel(), &FuturesPanel::fetchFinished);
        QVERIFY(finished.wait(60000));
        QVERIFY(!panel()->fetching() && panel()->findChild<QLabel *>("waitText")->isHidden());
    }

private slots:
    void cleanup() { bed.tearDown(); }

    void aUserPicksStocksSeesTheirContractsAndDeletesOne()
    {
        QVERIFY(bed.startSim({"--latency-ms", "150"}));
        bed.makeProgram();
        QVERIFY(bed.openDatabase());
        QVERIFY(bed.ctx->database.selectedFutures().insert({"Infosys Limited", "INFY"}).ok());
        bed.program->start();
        bed.program->bar().button("futures")->click();
        for (int month = 0; month < 3; ++month)
            testModelOf(panel()->contractList(month));
        panel()->setFetchTimeoutMs(1500);
        QListWidget *choices = panel()->choiceList();
        QCOMPARE(choices->count(), 208);
        click("month1Delete");
        click("addStocks");
        QCOMPARE(bed.messenger.shown, (std::vector<std::string>{FuturesBoard::NothingToDelete,
                                                                FuturesBoard::NothingToAdd}));

        // Infosys is chosen already: the other two join it in the list's order, and their
        // data are fetched.
        for (const char *name :
             {"Mahindra & Mahindra Limited", "Infosys Limited", "Larsen & Toubro Limited"})
            choices->findItems(name, Qt::MatchExactly).value(0)->setSelected(true);
        click("addStocks");
        QCOMPARE(stored(), (QStringList{"INFY", "LT", "M&M"}));
        for (const char *locked : {"addStocks", "month2Delete"})
            QVERIFY2(!::control<QAbstractButton>(panel(), locked)->isEnabled(), locked);
        QVERIFY(panel()->findChild<QLabel *>("waitText")->isVisible());
        // The rest of the program goes on meanwhile.
        bed.program->bar().button("world")->click();
        QVERIFY(bed.program->panels().panel(PanelKind::World)->isVisible() &&
                !panel()->isVisible());
        waitForData();
        bed.program->bar().button("futures")->click();

        QCOMPARE(column(0, 1), (QStringList{"INFY", "LT", "M&M"}));
        QCOMPARE(::control<QLabel>(panel(), "month3Expiry")->text(), QStringLiteral("25-FEB-2027"));
        QCOMPARE(panel()->statsList()->model()->index(1, 0).data().toString(),
                 QStringLiteral("Stock Futures"));
        QVERIFY(panel()->statsList()->model()->index(1, 1).data().toDouble() > 0);
        for (int month = 0; month < 3; ++month)
            for (int row = 0; row < 3; ++row) {
                QVERIFY(cell(month, row, 4).toDouble() > 0); // the previous close is always there
                for (int c = 2; c < 9; ++c)
                    QVERIFY(cell(month, row, c) == "-" || cell(month, row, c).toDouble() > 0);
            }

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

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ControlsTest controls;
    ChartPanelTest chart;
    FuturesPanelTest futures;
    return QTest::qExec(&controls, argc, argv) | QTest::qExec(&chart, argc, argv) |
           QTest::qExec(&futures, argc, argv);
}

#include "panelcontents_test.moc"
