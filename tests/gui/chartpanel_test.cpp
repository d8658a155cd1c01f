#include "core/common/clock.h"
#include "gui/charts/historicalchartpanel.h"
#include "gui/controls/colorbutton.h"
#include "gui/shell/appcontext.h"
#include "platform/net/internetsession.h"
#include "support/recordingmessenger.h"
#include "support/testsim.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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

    QTemporaryDir dir;
    TestSim sim;
    RecordingMessenger messenger;
    FixedClock clock{makeLocalTime(2026, 12, 4, 11, 0, 0)};
    std::unique_ptr<AppContext> ctx;
    QPointer<HistoricalChartPanel> panel;
    int logMark = 0; // access log lines before the running test

    QString accessLog() const { return dir.filePath(QStringLiteral("access.log")); }
    // Requests of the running test whose target starts with prefix.
    QStringList requests(const QString &prefix) const
    {
        QFile file(accessLog());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList out;
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (qsizetype k = logMark; k < lines.size(); ++k)
            if (lines[k].startsWith(prefix.toLatin1()))
                out << QString::fromLatin1(lines[k]);
        return out;
    }
    QString lastChartRequest() const
    {
        const QStringList charts = requests(QStringLiteral("/z?"));
        return charts.isEmpty() ? QString() : charts.last();
    }
    QLabel *image() const { return panel->findChild<QLabel *>(QStringLiteral("chartImage")); }
    QImage picture() const { return image()->pixmap().toImage(); }

    bool open(const char *exchange, const char *symbol)
    {
        panel = openHistoricalChart(*ctx, nullptr, QStringLiteral("Infosys Limited"),
                                    QString::fromLatin1(exchange), QString::fromLatin1(symbol));
        QSignalSpy shown(panel.data(), &HistoricalChartPanel::imageShown);
        return shown.wait(10000) && shown.first().first().toBool();
    }
    // Clicks a button and waits for the chart it loads.
    bool clickAndLoad(int id)
    {
        QSignalSpy shown(panel.data(), &HistoricalChartPanel::imageShown);
        panel->button(id)->click();
        return shown.wait(10000) && shown.first().first().toBool();
    }
    bool toggleCompare()
    {
        QSignalSpy shown(panel.data(), &HistoricalChartPanel::imageShown);
        panel->findChild<QCheckBox *>(QStringLiteral("1126"))->click();
        return shown.wait(10000) && shown.first().first().toBool();
    }
    Rgb textOf(int id) const { return panel->button(id)->colours().text; }
    void markLog()
    {
        QFile file(accessLog());
        logMark = file.open(QIODevice::ReadOnly) ? static_cast<int>(file.readAll().count('\n')) : 0;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QVERIFY2(sim.startWith({QStringLiteral("--access-log"), accessLog()}),
                 qPrintable(sim.errorText()));
    }
    void init()
    {
        messenger = RecordingMessenger();
        ServiceUrls services;
        services.quote = services.chart = sim.url();
        services.simulated = true;
        ctx = std::make_unique<AppContext>(services, messenger, clock);
        markLog();
    }
    void cleanup()
    {
        delete panel;
        ctx.reset();
    }

    void opensWithTheChartAndTheYearRange()
    {
        QVERIFY(open("NSE", "INFY"));
        QCOMPARE(requests(QStringLiteral("/z?")),
                 QStringList{QStringLiteral("/z?s=INFY.NS&t=1d&q=l&l=off&z=m&p=&a=&c=")});
        QCOMPARE(picture().size(), QSize(512, 288));

        QLabel *range = panel->findChild<QLabel *>(QStringLiteral("1127"));
        QTRY_VERIFY(range->text() != QStringLiteral("52 Week Range"));
        QCOMPARE(requests(QStringLiteral("/d/quotes.csv")),
                 QStringList{QStringLiteral("/d/quotes.csv?s=INFY.NS&f=w")});
        // The range as the quote service gives it, without its quotes.
        std::optional<FetchResult> quote;
        fetchOnce(this, QStringLiteral("test"), sim.url() + "/d/quotes.csv?s=INFY.NS&f=w", 10000,
                  [&](const FetchResult &r) { quote = r; });
        QTRY_VERIFY(quote.has_value());
        const QString expected = QString::fromStdString(quote->lines().front()).remove(QLatin1Char('"'));
        QVERIFY(QRegularExpression(QStringLiteral(R"(^\d+\.\d\d - \d+\.\d\d$)")).match(expected).hasMatch());
        QCOMPARE(range->text(), expected);
        QVERIFY(messenger.shown.empty());
    }

    void buttonsAppendToTheRequest()
    {
        QVERIFY(open("NSE", "INFY"));
        QVERIFY(clickAndLoad(1036)); // "50" under Moving Average
        QVERIFY(clickAndLoad(1057)); // RSI
        QVERIFY(lastChartRequest().endsWith(QStringLiteral("&p=,m50&a=,r14&c=")));
        QCOMPARE(textOf(1036), Red);
        QCOMPARE(textOf(1057), Red);
        QCOMPARE(picture().size(), QSize(512, 288 + 84)); // RSI in a panel of its own
        delete panel;

        QVERIFY(open("NSE", "INFY"));
        QVERIFY(clickAndLoad(1060)); // Vol, twice
        QVERIFY(clickAndLoad(1060));
        QVERIFY(lastChartRequest().endsWith(QStringLiteral("&p=&a=,v,v&c=")));
    }

    void fiveAveragesAtMost()
    {
        QVERIFY(open("NSE", "INFY"));
        for (int id : {1028, 1028, 1028, 1031, 1048})
            QVERIFY(clickAndLoad(id));
        QVERIFY(lastChartRequest().endsWith(QStringLiteral("&p=,m5,m5,m5,e5,e10&a=&c=")));
        const int loads = static_cast<int>(requests(QStringLiteral("/z?")).size());
        QSignalSpy shown(panel.data(), &HistoricalChartPanel::imageShown);
        panel->button(1053)->click();
        panel->button(1050)->click();
        QTest::qWait(300);
        QCOMPARE(shown.count(), 0);
        QCOMPARE(requests(QStringLiteral("/z?")).size(), loads);
        QCOMPARE(textOf(1048), Red);
        QCOMPARE(textOf(1053), Plain);
        QCOMPARE(textOf(1050), Plain);
        QVERIFY(clickAndLoad(1063)); // overlays have no limit
        QVERIFY(lastChartRequest().endsWith(QStringLiteral("&p=,m5,m5,m5,e5,e10,b&a=&c=")));
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
        QVERIFY(clickAndLoad(1038)); // Bar
        QCOMPARE(textOf(1038), Red);
        QCOMPARE(textOf(1039), Plain);
        QCOMPARE(textOf(1040), Plain);
        QVERIFY(clickAndLoad(1034)); // 1y: another group keeps its choice
        QCOMPARE(textOf(1038), Red);
        QCOMPARE(textOf(1027), Plain);
        QVERIFY(clickAndLoad(1039));
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
            QVERIFY(clickAndLoad(id));
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
        QTRY_COMPARE(requests(QStringLiteral("/d/quotes.csv")),
                     QStringList{QStringLiteral("/d/quotes.csv?s=500325.BO&f=w")});
        delete panel;
        markLog();

        QVERIFY(open("", "^NSEBANK"));
        QVERIFY(lastChartRequest().startsWith(QStringLiteral("/z?s=%5ENSEBANK&t=1d&")));
        QTRY_COMPARE(requests(QStringLiteral("/d/quotes.csv")),
                     QStringList{QStringLiteral("/d/quotes.csv?s=%5ENSEBANK&f=w")});
        QVERIFY(!image()->pixmap().isNull());
    }

    void simulatorDownShowsTextNotACrash()
    {
        ctx->services.quote = ctx->services.chart = "http://127.0.0.1:9";
        panel = openHistoricalChart(*ctx, nullptr, QStringLiteral("Infosys Limited"),
                                    QStringLiteral("NSE"), QStringLiteral("INFY"));
        QSignalSpy shown(panel.data(), &HistoricalChartPanel::imageShown);
        QVERIFY(shown.wait(10000));
        QCOMPARE(shown.first().first().toBool(), false);
        QVERIFY(image()->pixmap().isNull());
        QVERIFY(image()->text().startsWith(QStringLiteral("The chart could not be loaded")));
        QTRY_COMPARE(messenger.count(HistoricalChartPanel::RangeFailed), 1);
        QCOMPARE(panel->findChild<QLabel *>(QStringLiteral("1127"))->text(),
                 QStringLiteral("52 Week Range"));
        // Buttons still work; each failure is shown again.
        QVERIFY(!clickAndLoad(1034));
        QVERIFY(panel->chartUrl().contains(QStringLiteral("&t=1y&")));
    }
};

QTEST_MAIN(ChartPanelTest)
#include "chartpanel_test.moc"
