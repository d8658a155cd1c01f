#include "gui/shell/panelhost.h"
#include "gui/toppers/topperspanel.h"
#include "gui/watch/watchlistmodel.h"
#include "gui/watch/watchlistpanel.h"
#include "support/dialogdriver.h"
#include "support/guibed.h"

#include <QFont>
#include <QTableView>

// The windows on the live gateway over replayed sources, whose log counts the request budget.
class LiveWatchTest : public QObject
{
    Q_OBJECT
    GuiBed bed;
    QProcess m_sources;
    SimulatorProcess m_gateway;

    QList<QByteArray> logged() const
    {
        QFile file(bed.path("sources.log"));
        return file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>();
    }
    // The fake sources' requests to one host, from the log's line on.
    int hits(const QByteArray &host, qsizetype from = 0) const
    {
        const QList<QByteArray> lines = logged().mid(from);
        return std::count_if(lines.begin(), lines.end(), [&host](const QByteArray &line) {
            return line.split(' ').value(1) == host;
        });
    }

private slots:
    void initTestCase()
    {
        // The sources and the gateway live on Friday 4 December 2026 from 11:00 in India, so
        // that a price stamped now is live whatever the hour the test runs at.
        const QByteArray library = qgetenv("VANTREL_FAKETIME");
        QVERIFY(!library.isEmpty());
        const QByteArray zone = qgetenv("TZ");
        const std::pair<const char *, QByteArray> fakeClock[] = {
            {"LD_PRELOAD", library},
            {"TZ", "UTC"},
            {"FAKETIME", "@2026-12-04 05:30:00"},
            {"FAKETIME_DONT_FAKE_MONOTONIC", "1"}};
        for (const auto &[name, value] : fakeClock)
            qputenv(name, value);
        m_sources.start(qEnvironmentVariable("VANTREL_FAKESOURCES"),
                        {"--port", "0", "--every-symbol", "--log", bed.path("sources.log")});
        QVERIFY(m_sources.waitForStarted());
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += m_sources.readAllStandardOutput()).count('\n') == 6,
                                 20000);
        for (const QByteArray &line : said.trimmed().split('\n').mid(1))
            qputenv(line.left(line.indexOf('=')).constData(), line.mid(line.indexOf('=') + 1));
        QVERIFY2(m_gateway.start(SimulatorProcess::locate("vantrel-gateway", "VANTREL_GATEWAY"),
                                 {"--port", "0", "--data-dir", bed.path("gateway")}),
                 qPrintable(m_gateway.errorText()));
        for (const auto &[name, value] : fakeClock)
            qunsetenv(name);
        if (!zone.isNull())
            qputenv("TZ", zone);
    }
    void cleanupTestCase()
    {
        bed.reset();
        m_gateway.stop();
        m_sources.terminate();
        m_sources.waitForFinished(10000);
    }

    // The bar's three and fifty watched stocks are priced within two refreshes, and the rows
    // of closing prices say so in their tooltips. A toppers sweep then takes one end-of-day
    // file, nothing from the quote host, and the bar goes on refreshing inside its budget.
    void fiftyStocksArePricedInsideTheBudgetAndToppersLeaveTheBarAlone()
    {
        std::vector<WatchRow> rows;
        for (int k = 1; k < 50; ++k)
            rows.push_back({"Stock " + std::to_string(k), "NSE", "STOCK" + std::to_string(k)});
        rows.push_back({"Cipla", "NSE", "CIPLA"}); // the recorded one: a close of 2023
        bed.makeProgram();
        QVERIFY(bed.openDatabase());
        QVERIFY(bed.ctx->database.watchList().save(rows).ok());
        bed.ctx->services.quote = m_gateway.baseUrl().toStdString();
        bed.ctx->services.live = true;
        bed.ctx->refresh.setBaseUrl(bed.ctx->services.quote);
        bed.program->start();
        WatchListPanel *panel = bed.program->watchList();
        const auto priced = [panel] {
            const auto &stocks = panel->list().stocks();
            return stocks.size() == 50 && std::all_of(stocks.begin(), stocks.end(), [](auto &s) {
                       return s.quote.hasPrice() && s.quote.last > 0;
                   });
        };
        QVERIFY(bed.refreshOnce());
        if (!priced())
            QVERIFY(bed.refreshOnce());
        QVERIFY(priced() && bed.program->bar().connected());
        const QModelIndex cipla = panel->model()->index(49, 0);
        QCOMPARE(cipla.data(Qt::ToolTipRole).toString(),
                 QStringLiteral("Close of 27-Jun-2023 via batch"));
        // A close is told at a glance: its figures in italics, a live price's as ever.
        const auto italic = [panel](int row, int column) {
            return panel->model()->index(row, column).data(Qt::FontRole).value<QFont>().italic();
        };
        QVERIFY(italic(49, watchcol::Price) && italic(49, watchcol::Low));
        QVERIFY(!italic(49, watchcol::Name) && !italic(0, watchcol::Price));

        const qsizetype beforeSweep = logged().size() - 1;
        bed.program->bar().button("toppers")->click();
        auto *toppers =
            static_cast<ToppersPanel *>(bed.program->panels().panel(PanelKind::Toppers));
        ::control<QAbstractButton>(toppers, "getLatestData")->click();
        QVERIFY(bed.refreshOnce()); // the bar refreshes while the sweep is out
        QTRY_VERIFY_WITH_TIMEOUT(::control<QAbstractButton>(toppers, "getLatestData")->isEnabled(),
                                 60000);
        QCOMPARE(toppers->priceSource(),
                 QStringLiteral("Prices: Close of 20-Jun-2025 via end of day"));
        const QAbstractItemModel *tops = toppers->findChild<QTableView *>()->model();
        QVERIFY(tops->index(0, topperscol::Price).data(Qt::FontRole).value<QFont>().italic());
        QVERIFY(hits("nse", beforeSweep) <= 1); // one end-of-day file at most
        // Within the budget: every request of the test fits in a minute's share.
        QVERIFY2(hits("quotes") <= 60, qPrintable(QString::number(hits("quotes"))));
    }
};

QTEST_MAIN(LiveWatchTest)
#include "livewatch_test.moc"
