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

// The shared controls (the colour button's drawing, and the dialog driver) and the panels'
// contents: the chart panel's requests per button and what it shows (the pictures are the
// simulator's), and what a user does with the futures panel (its page walk and Add and Delete
// rules are core's), on one slow simulator.
class PanelContentsTest : public QObject
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

    FuturesPanel *futures() const
    {
        return qobject_cast<FuturesPanel *>(bed.program->panels().panel(PanelKind::Futures));
    }
    void press(const char *name) const { ::control<QAbstractButton>(futures(), name)->click(); }
    QString cell(int month, int row, int column) const
    {
        return futures()->contractList(month)->model()->index(row, column).data().toString();
    }
    QStringList column(int month, int column) const
    {
        QStringList out;
        for (int row = 0; row < futures()->contractList(month)->model()->rowCount(); ++row)
            out << cell(month, row, column);
        return out;
    }
    void waitForData() const
    {
        QSignalSpy finished(futures(), &FuturesPanel::fetchFinished);
        QVERIFY(finished.wait(60000));
        QVERIFY(!futures()->fetching() && futures()->findChild<QLabel *>("waitText")->isHidden());
    }

private slots:
    void initTestCase() { QVERIFY(bed.startSim({"--latency-ms", "150"})); }
    void init() { bed.context(); }
    void cleanup() { delete panel; }

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

    void aUserPicksStocksSeesTheirContractsAndDeletesOne()
    {
        bed.makeProgram();
        QVERIFY(bed.openDatabase());
        QVERIFY(bed.ctx->database.selectedFutures().insert({"Infosys Limited", "INFY"}).ok());
        bed.program->start();
        bed.program->bar().button("futures")->click();
        for (int month = 0; month < 3; ++month)
            testModelOf(futures()->contractList(month));
        futures()->setFetchTimeoutMs(1500);
        QListWidget *choices = futures()->choiceList();
        QCOMPARE(choices->count(), 208);
        press("month1Delete");
        press("addStocks");
        QCOMPARE(bed.messenger.shown, (std::vector<std::string>{FuturesBoard::NothingToDelete,
                                                                FuturesBoard::NothingToAdd}));

        // Infosys is chosen already: the other two join it in the list's order, and their
        // data are fetched.
        for (const char *name :
             {"Mahindra & Mahindra Limited", "Infosys Limited", "Larsen & Toubro Limited"})
            choices->findItems(name, Qt::MatchExactly).value(0)->setSelected(true);
        press("addStocks");
        for (const char *locked : {"addStocks", "month2Delete"})
            QVERIFY2(!::control<QAbstractButton>(futures(), locked)->isEnabled(), locked);
        QVERIFY(futures()->findChild<QLabel *>("waitText")->isVisible());
        waitForData();

        QCOMPARE(column(0, 1), (QStringList{"INFY", "LT", "M&M"}));
        QCOMPARE(::control<QLabel>(futures(), "month3Expiry")->text(),
                 QStringLiteral("25-FEB-2027"));
        QCOMPARE(futures()->statsList()->model()->index(1, 0).data().toString(),
                 QStringLiteral("Stock Futures"));
        QVERIFY(futures()->statsList()->model()->index(1, 1).data().toDouble() > 0);
        for (int month = 0; month < 3; ++month)
            for (int row = 0; row < 3; ++row) {
                QVERIFY(cell(month, row, 4).toDouble() > 0); // the previous close is always there
                for (int c = 2; c < 9; ++c)
                    QVERIFY(cell(month, row, c) == "-" || cell(month, row, c).toDouble() > 0);
            }

        const QString larsen = cell(0, 1, 5);
        futures()->contractList(1)->selectRow(2);
        press("month3Delete");
        QCOMPARE(column(0, 1), (QStringList{"INFY", "LT"}));
        QCOMPARE(cell(0, 1, 5), larsen); // each row keeps its own stock's data meanwhile
        waitForData();
        QCOMPARE(column(2, 0), (QStringList{"Infosys Limited", "Larsen & Toubro Limited"}));

        // Closed while pages come in, the panel takes its fetch with it.
        press("getLatestData");
        QVERIFY(futures()->fetching());
        press("closePanel");
        QTRY_VERIFY_WITH_TIMEOUT(!futures(), 30000);
        bed.refreshOnce();
        QCOMPARE(int(bed.messenger.shown.size()), 2);
    }
};

QTEST_MAIN(PanelContentsTest)
#include "panelcontents_test.moc"
