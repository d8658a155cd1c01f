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
// each button, and what it shows.
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
    QLabel *image() const { return panel->findChild<QLabel *>(QStringLiteral("chartImage")); }
    QImage picture() const { return image()->pixmap().toImage(); }
    Rgb textOf(int id) const { return panel->button(id)->colours().text; }

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
        return shown->wait(10000) && shown->first().first().toBool() == shows;
    }
    bool open(const char *exchange, const char *symbol, bool shows = true)
    {
        delete panel;
        return loads(
            [&] {
                panel =
                    openHistoricalChart(*bed.ctx, nullptr, QStringLiteral("Infosys Limited"),
                                        QString::fromLatin1(exchange), QString::fromLatin1(symbol));
            },
            shows);
    }
    bool click(int id, bool shows = true)
    {
        return loads([&] { panel->button(id)->click(); }, shows);
    }
    bool toggleCompare()
    {
        return loads([&] { panel->findChild<QCheckBox *>(QStringLiteral("1126"))->click(); });
    }

private slots:
    void initTestCase() { QVERIFY2(bed.startSim(), qPrintable(bed.sim.errorText())); }
    void init() { bed.context(); }
    void cleanup() { delete panel; }

    void opensWithTheChartAndTheYearRange()
    {
        QVERIFY(open("NSE", "INFY"));
        QCOMPARE(bed.requests("/z?"),
                 QStringList{QStringLiteral("/z?s=INFY.NS&t=1d&q=l&l=off&z=m&p=&a=&c=")});
        QCOMPARE(picture().size(), QSize(512, 288));

        QLabel *range = panel->findChild<QLabel *>(QStringLiteral("1127"));
        QTRY_VERIFY(range->text() != QStringLiteral("52 Week Range"));
        QCOMPARE(bed.requests(), QStringList{QStringLiteral("/d/quotes.csv?s=INFY.NS&f=w")});
        // The reply to that request, without its quotes.
        QVERIFY(QRegularExpression(QStringLiteral(R"(^\d+\.\d\d - \d+\.\d\d$)"))
                    .match(range->text())
                    .hasMatch());
        QVERIFY(bed.messenger.shown.empty());
    }

    void buttonsAppendToTheRequestAndAveragesStopAtFive()
    {
        QVERIFY(open("NSE", "INFY"));
        QVERIFY(click(1036)); // "50" under Moving Average
        QVERIFY(click(1057)); // RSI
        QVERIFY(lastChartRequest().endsWith(QStringLiteral("&p=,m50&a=,r14&c=")));
        QCOMPARE(textOf(1036), Red);
        QCOMPARE(textOf(1057), Red);
        QCOMPARE(picture().size(), QSize(512, 288 + 84)); // RSI in a panel of its own
        QVERIFY(click(1060));                             // Vol, twice
        QVERIFY(click(1060));
        for (int id : {1028, 1028, 1031, 1048})
            QVERIFY(click(id));
        QVERIFY(lastChartRequest().endsWith(QStringLiteral("&p=,m50,m5,m5,e5,e10&a=,r14,v,v&c=")));
        const qsizetype before = bed.requests("/z?").size();
        panel->button(1053)->click(); // a sixth average: nothing is loaded or highlighted
        panel->button(1050)->click();
        QVERIFY(click(1063)); // overlays have no limit
        QVERIFY(
            lastChartRequest().endsWith(QStringLiteral("&p=,m50,m5,m5,e5,e10,b&a=,r14,v,v&c=")));
        QCOMPARE(bed.requests("/z?").size(), before + 1);
        QCOMPARE(textOf(1048), Red);
        QCOMPARE(textOf(1053), Plain);
        QCOMPARE(textOf(1050), Plain);
    }

    void compareCheckBoxAddsAndRemovesTheIndices()
    {
        QVERIFY(open("NSE", "INFY"));
        const QImage alone = picture();
        QVERIFY(toggleCompare());
        QVERIFY(lastChartRequest().endsWith(QStringLiteral("&c=%5EBSESN,%5ENSEI")));
        QVERIFY(picture() != alone);
        QVERIFY(toggleCompare());
        QVERIFY(lastChartRequest().endsWith(QStringLiteral("&p=&a=&c=")));
        QCOMPARE(picture(), alone);
    }

    void oneHighlightPerExclusiveGroup()
    {
        QVERIFY(open("NSE", "INFY"));
        QCOMPARE(textOf(1039), Red); // Line, Linear, 1d and M to start with
        QCOMPARE(textOf(1041), Red);
        QCOMPARE(textOf(1027), Red);
        QCOMPARE(textOf(1044), Red);
        QVERIFY(click(1038)); // Bar
        QCOMPARE(textOf(1038), Red);
        QCOMPARE(textOf(1039), Plain);
        QCOMPARE(textOf(1040), Plain);
        QVERIFY(click(1034)); // 1y: another group keeps its choice
        QCOMPARE(textOf(1038), Red);
        QCOMPARE(textOf(1027), Plain);
        QVERIFY(click(1039));
        QCOMPARE(textOf(1039), Red);
        QCOMPARE(textOf(1038), Plain);
        QVERIFY(lastChartRequest().startsWith(QStringLiteral("/z?s=INFY.NS&t=1y&q=l&l=off&z=m&")));
    }

    void everyOptionShowsADifferentPicture()
    {
        QVERIFY(open("NSE", "INFY"));
        QList<QImage> seen{picture()};
        // Type, scale, range, size, an average, an overlay and an indicator, one after another.
        for (int id : {1040, 1042, 1029, 1043, 1045, 1030, 1066, 1054}) {
            QVERIFY(click(id));
            const QImage now = picture();
            QVERIFY2(!seen.contains(now), qPrintable(lastChartRequest()));
            seen << now;
        }
        QCOMPARE(picture().size(), QSize(800, 450 + 120));
    }

    void serviceSymbolsOfBseStocksAndIndices()
    {
        QVERIFY(open("BSE", "500325"));
        QVERIFY(lastChartRequest().startsWith(QStringLiteral("/z?s=500325.BO&t=1d&")));
        QTRY_COMPARE(bed.requests(), QStringList{QStringLiteral("/d/quotes.csv?s=500325.BO&f=w")});
        delete panel;
        bed.context(); // the requests from here on

        QVERIFY(open("", "^NSEBANK"));
        QVERIFY(lastChartRequest().startsWith(QStringLiteral("/z?s=%5ENSEBANK&t=1d&")));
        QTRY_COMPARE(bed.requests(), QStringList{QStringLiteral("/d/quotes.csv?s=%5ENSEBANK&f=w")});
        QVERIFY(!image()->pixmap().isNull());
    }

    void simulatorDownShowsTextNotACrash()
    {
        bed.ctx->services.quote = bed.ctx->services.chart = "http://127.0.0.1:9";
        QVERIFY(open("NSE", "INFY", false));
        QVERIFY(image()->pixmap().isNull());
        QVERIFY(image()->text().startsWith(QStringLiteral("The chart could not be loaded")));
        QTRY_COMPARE(bed.messenger.count(HistoricalChartPanel::RangeFailed), 1);
        QCOMPARE(panel->findChild<QLabel *>(QStringLiteral("1127"))->text(),
                 QStringLiteral("52 Week Range"));
        // Buttons still work; each failure is shown again.
        QVERIFY(click(1034, false));
        QVERIFY(panel->chartUrl().contains(QStringLiteral("&t=1y&")));
    }
};

QTEST_MAIN(ChartPanelTest)
#include "chartpanel_test.moc"
