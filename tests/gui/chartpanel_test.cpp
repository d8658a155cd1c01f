#include "gui/charts/historicalchartpanel.h"
#include "support/guibed.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>

#include <functional>
#include <optional>

namespace {
constexpr Rgb Red{255, 0, 0};
constexpr Rgb Plain{1, 1, 1};
} // namespace

// The historical chart panel against the simulator's chart service: what it requests for
// each button, and what it shows. The pictures themselves are the simulator's tests'; the
// service's faults are the fault matrix's.
class ChartPanelTest : public QObject
{
    Q_OBJECT

    GuiBed bed;
    QPointer<HistoricalChartPanel> panel;

    QString lastChartRequest() const
    {
        const QStringList charts = bed.requests("/z?");
        return charts.isEmpty() ? QString() : charts.last();
    }
    QLabel *image() const { return panel->findChild<QLabel *>("chartImage"); }
    QImage picture() const { return image()->pixmap().toImage(); }
    Rgb textOf(const char *name) const { return panel->button(name)->colours().text; }

    // Opens the panel, or does what a user does in it, and waits for the chart: true when
    // it arrived (or, with shows false, when the panel said it could not load it).
    bool loads(const std::function<void()> &act, bool shows = true)
    {
        std::optional<QSignalSpy> shown;
        if (panel)
            shown.emplace(panel.data(), &HistoricalChartPanel::imageShown);
        act();
        if (!shown)
            shown.emplace(panel.data(), &HistoricalChartPanel::imageShown);
        return shown->wait(30000) && shown->first().first().toBool() == shows;
    }
    bool open(const char *exchange, const char *symbol, bool shows = true)
    {
        delete panel;
        return loads(
            [&] {
                panel =
                    openHistoricalChart(*bed.ctx, nullptr, "Infosys Limited",
                                        QString::fromLatin1(exchange), QString::fromLatin1(symbol));
            },
            shows);
    }
    bool click(const char *name, bool shows = true)
    {
        return loads([&] { panel->button(name)->click(); }, shows);
    }
    bool toggleCompare()
    {
        return loads([&] { panel->findChild<QCheckBox *>("compareWithIndices")->click(); });
    }

private slots:
    void initTestCase() { QVERIFY2(bed.startSim(), qPrintable(bed.sim.errorText())); }
    void init() { bed.context(); }
    void cleanup() { delete panel; }

    // NSE and BSE stocks and an index, each by its service symbol.
    void opensWithTheChartAndTheYearRange()
    {
        for (const auto &[exchange, symbol, service] : {std::tuple{"NSE", "INFY", "INFY.NS"},
                                                        {"BSE", "500325", "500325.BO"},
                                                        {"", "^NSEBANK", "%5ENSEBANK"}}) {
            delete panel;
            bed.context(); // the requests from here on
            QVERIFY(open(exchange, symbol));
            QCOMPARE(
                bed.requests("/z?"),
                QStringList{QStringLiteral("/z?s=%1&t=1d&q=l&l=off&z=m&p=&a=&c=").arg(service)});
            QLabel *range = panel->findChild<QLabel *>("yearRange");
            QTRY_VERIFY_WITH_TIMEOUT(range->text() != QStringLiteral("52 Week Range"), 30000);
            QCOMPARE(bed.requests(),
                     QStringList{QStringLiteral("/d/quotes.csv?s=%1&f=w").arg(service)});
            // The reply to that request, without its quotes.
            QVERIFY2(QRegularExpression(QStringLiteral(R"(^\d+\.\d\d - \d+\.\d\d$)"))
                         .match(range->text())
                         .hasMatch(),
                     qPrintable(range->text()));
        }
        QCOMPARE(picture().size(), QSize(512, 288));
        QVERIFY(bed.messenger.shown.empty());
    }

    void buttonsAppendToTheRequestAndAveragesStopAtFive()
    {
        QVERIFY(open("NSE", "INFY"));
        QVERIFY(click("averageFifty"));
        QVERIFY(click("indicatorRsi"));
        QVERIFY(lastChartRequest().endsWith("&p=,m50&a=,r14&c="));
        QCOMPARE(textOf("averageFifty"), Red);
        QCOMPARE(textOf("indicatorRsi"), Red);
        QCOMPARE(picture().size(), QSize(512, 288 + 84)); // RSI in a panel of its own
        QVERIFY(click("indicatorVolume"));                // twice
        QVERIFY(click("indicatorVolume"));
        for (const char *id : {"averageFive", "averageFive", "emaFive", "emaTen"})
            QVERIFY(click(id));
        QVERIFY(lastChartRequest().endsWith("&p=,m50,m5,m5,e5,e10&a=,r14,v,v&c="));
        const qsizetype before = bed.requests("/z?").size();
        panel->button("emaTwenty")->click(); // a sixth average: nothing is loaded or highlighted
        panel->button("emaFifty")->click();
        QVERIFY(click("overlayBollinger")); // overlays have no limit
        QVERIFY(lastChartRequest().endsWith("&p=,m50,m5,m5,e5,e10,b&a=,r14,v,v&c="));
        QCOMPARE(bed.requests("/z?").size(), before + 1);
        QCOMPARE(textOf("emaTen"), Red);
        QCOMPARE(textOf("emaTwenty"), Plain);
        QCOMPARE(textOf("emaFifty"), Plain);
    }

    void compareCheckBoxAddsAndRemovesTheIndices()
    {
        QVERIFY(open("NSE", "INFY"));
        const QImage alone = picture();
        QVERIFY(toggleCompare());
        QVERIFY(lastChartRequest().endsWith("&c=%5EBSESN,%5ENSEI"));
        QVERIFY(picture() != alone);
        QVERIFY(toggleCompare());
        QVERIFY(lastChartRequest().endsWith("&p=&a=&c="));
        QCOMPARE(picture(), alone);
    }

    void oneHighlightPerExclusiveGroup()
    {
        QVERIFY(open("NSE", "INFY"));
        QCOMPARE(textOf("typeLine"), Red); // to start with
        QCOMPARE(textOf("scaleLinear"), Red);
        QCOMPARE(textOf("rangeOneDay"), Red);
        QCOMPARE(textOf("sizeMedium"), Red);
        QVERIFY(click("typeBar"));
        QCOMPARE(textOf("typeBar"), Red);
        QCOMPARE(textOf("typeLine"), Plain);
        QCOMPARE(textOf("typeCandle"), Plain);
        QVERIFY(click("rangeOneYear")); // another group keeps its choice
        QCOMPARE(textOf("typeBar"), Red);
        QCOMPARE(textOf("rangeOneDay"), Plain);
        QVERIFY(click("typeLine"));
        QCOMPARE(textOf("typeLine"), Red);
        QCOMPARE(textOf("typeBar"), Plain);
        QVERIFY(lastChartRequest().startsWith("/z?s=INFY.NS&t=1y&q=l&l=off&z=m&"));
    }
};

QTEST_MAIN(ChartPanelTest)
#include "chartpanel_test.moc"
