#include "gatewayoptions.h"
#include "gatewayserver.h"
#include "liveseries.h"
#include "platform/net/gatewaylabel.h"
#include "platform/shell/refreshcycle.h"
#include "sources/livesource.h"
#include "support/fakesourceserver.h"
#include "support/listgroup.h"
#include "support/recordingmessenger.h"

#include <httplib.h>

#include <mutex>
#include <set>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace std::string_literals;

namespace {
// A live source whose answers a test writes down: the quotes it knows, or a refusal, and bars
// for every symbol it knows, whatever span is asked. The gateway's threads ask it meanwhile.
class ScriptedSource : public LiveSource
{
public:
    ScriptedSource(std::string name, std::string label) : m_name(name), m_label(label) {}

    void know(const LiveQuote &quote)
    {
        std::lock_guard lock(m_mutex);
        m_known[quote.symbol] = quote;
    }
    void haveBars(std::vector<Bar> bars)
    {
        std::lock_guard lock(m_mutex);
        m_bars = std::move(bars);
    }
    void refuse(std::string reason)
    {
        std::lock_guard lock(m_mutex);
        m_refusal = std::move(reason);
    }
    std::set<std::string> asked() const
    {
        std::lock_guard lock(m_mutex);
        return m_asked;
    }

    std::string label() const override { return m_label; }
    void stop() override {}
    SourceOutcome quotes(const std::vector<std::string> &symbols,
                         std::vector<std::optional<LiveQuote>> &out) override
    {
        std::lock_guard lock(m_mutex);
        m_asked.insert(symbols.begin(), symbols.end());
        if (!m_refusal.empty())
            return {SourceOutcome::Refused, m_refusal};
        out.clear();
        for (const std::string &symbol : symbols) {
            const auto found = m_known.find(symbol);
            out.push_back(found == m_known.end() ? std::nullopt
                                                 : std::optional<LiveQuote>(found->second));
        }
        return {};
    }
    SourceOutcome bars(const std::string &symbol, BarSpan, int, std::vector<Bar> &out) override
    {
        std::lock_guard lock(m_mutex);
        if (!m_refusal.empty() || m_bars.empty())
            return {SourceOutcome::Refused, "no bars"};
        if (m_known.count(symbol))
            out = m_bars;
        return {};
    }
    SourceStatus status() const override
    {
        std::lock_guard lock(m_mutex);
        return {m_name, m_refusal.empty() ? "ok" : "refused", "", m_refusal, "", {}};
    }

private:
    std::string m_name, m_label;
    mutable std::mutex m_mutex;
    std::map<std::string, LiveQuote> m_known;
    std::vector<Bar> m_bars;
    std::string m_refusal;
    std::set<std::string> m_asked;
};

LiveQuote quote(const QuoteFields &fields, std::optional<std::int64_t> at = {})
{
    LiveQuote q;
    static_cast<QuoteFields &>(q) = fields;
    q.at = at;
    return q;
}
LiveQuote reliance() // at 2023-06-27 15:25 in India
{
    return quote({"RELIANCE.NS", 2284.45, -11.15, 2312, 2315.5, 2280.05, 5731590, 2180, 2856.15,
                  "6/27/2023", "3:30PM"},
                 1687859700);
}

// The scripted sources' clock: 2023-06-27 15:27 in India, the session open. The live sources':
// a Monday evening in India, 2025-06-23 18:00.
std::chrono::system_clock::time_point g_scriptNow, g_liveNow;
const auto scriptNow = [] { return g_scriptNow; };
const auto liveNow = [] { return g_liveNow; };
const auto sessionNow = std::chrono::system_clock::time_point(std::chrono::seconds(1687859820));

// Friday 2025-06-20's closing prices, as the end-of-day files give them.
LiveQuote closing(LiveQuote q, std::int64_t day = 20259)
{
    q.at = MarketCalendar::closeOf(day);
    q.closingPrice = true;
    return q;
}

// 2023-06-27 in the bars' clock: seconds of India's local time since 1970.
constexpr std::int64_t Day = 19535;
Bar bar(std::int64_t day, int minute, double close, std::int64_t volume = 100)
{
    return {day * 86400 + minute * 60, close - 1, close + 1, close - 2, close, volume};
}

// The batch and chart hosts and the exchanges' host, each replaying what the sources need for
// RELIANCE.NS: a cookie, a crumb and a batch reply, a chart, and Friday's end-of-day files.
struct LiveHosts
{
    FakeSourceServer chart, batch, exchanges;
    FakeSourceServer *byOrder[3] = {&batch, &chart, &exchanges};

    LiveHosts()
    {
        chart.serve("/v8/finance/chart/RELIANCE.NS",
                    {200, FakeSourceServer::fixture("chart_bel_5m.json")});
        FakeSourceServer::Reply page(200, "<html></html>", "text/html");
        page.cookies = {"A3=d=AQAB"};
        batch.serve("/quote/AAPL", page);
        batch.serve("/v1/test/getcrumb",
                    {200, FakeSourceServer::fixture("crumb_ok.txt"), "text/plain"});
        batch.serve("/v7/finance/quote",
                    {200, R"({"quoteResponse":{"result":[{"symbol":"RELIANCE.NS",)"
                          R"("regularMarketPrice":1901.5,"regularMarketTime":1750413600}],)"
                          R"("error":null}})"});
        exchanges.serve(
            "/content/cm/BhavCopy_NSE_CM_0_0_0_20250620_F_0000.csv.zip",
            {200, FakeSourceServer::fixture("bhav_nse_20250620.csv.zip"), "application/zip"});
    }
    LiveSourceConfig config(const QString &root) const
    {
        LiveSourceConfig config;
        config.chartBaseUrl = chart.baseUrl();
        config.batchBaseUrl = batch.baseUrl();
        config.crumbPageUrl = batch.baseUrl() + "/quote/AAPL";
        config.nseArchiveBaseUrl = config.bseBaseUrl = exchanges.baseUrl();
        config.dataRoot = root.toStdString();
        config.requestsPerSecond = 1000;
        config.fetchTimeLimit = std::chrono::milliseconds(500);
        config.now = liveNow;
        return config;
    }
};

// A gateway reply as the program reads it; status 0 when none came.
struct Answer
{
    int status = 0;
    std::string body, source;
};
} // namespace

// The gateway as the program reads it: the sources asked in order with the first answer
// winning, a field no source gave sent as N/A, 503 once every source refuses, and the status
// page, which the program's label follows; then its command line.
class GatewayTest : public QObject
{
    Q_OBJECT
    ScriptedSource *m_chart = nullptr;
    ScriptedSource *m_endOfDay = nullptr;
    std::unique_ptr<LiveMarket> m_market;
    std::unique_ptr<GatewayServer> m_server;

    Answer get(const std::string &target)
    {
        httplib::Client client("127.0.0.1", m_server->port());
        client.set_url_encode(false);
        const auto r = client.Get(target);
        if (!r)
            return {};
        return {r->status, r->body, r->get_header_value("X-Vantrel-Source")};
    }
    QJsonObject status()
    {
        const Answer reply = get("/gateway/status");
        return QJsonDocument::fromJson(QByteArray::fromStdString(reply.body)).object();
    }

private slots:
    void init()
    {
        std::vector<std::unique_ptr<LiveSource>> sources;
        sources.push_back(std::make_unique<ScriptedSource>("chart", "LIVE via chart"));
        sources.push_back(std::make_unique<ScriptedSource>("end-of-day", "END OF DAY 6/26/2023"));
        m_chart = static_cast<ScriptedSource *>(sources[0].get());
        m_endOfDay = static_cast<ScriptedSource *>(sources[1].get());
        g_scriptNow = sessionNow;
        LiveMarket::Options options;
        options.now = scriptNow;
        options.book.refreshEvery = std::chrono::milliseconds(20);
        m_market = std::make_unique<LiveMarket>(std::move(sources), options);
        m_server = std::make_unique<GatewayServer>(*m_market);
        std::string error;
        QVERIFY2(m_server->start(0, error), error.c_str());
    }
    void cleanup()
    {
        m_server.reset();
        m_market.reset();
    }

    void firstSourceToKnowASymbolWinsAndMissingFieldsAreNA()
    {
        m_chart->know(reliance());
        LiveQuote stale = closing(reliance());
        stale.last = 1; // a later source never overrides an earlier one's answer
        m_endOfDay->know(stale);
        // Closing prices only: no change, no 52-week range.
        m_endOfDay->know(closing(
            quote({"TCS.NS", 3250.4, {}, 3240, 3262.75, 3231.1, 0, {}, {}, "6/26/2023", "3:30PM"}),
            19534));

        const Answer reply =
            get("/d/quotes.csv?s=RELIANCE.NS,,TCS.NS,NOSUCH.NS&f=sl1d1t1c1ohgvjkw");
        QCOMPARE(reply.source,
                 "END OF DAY 6/26/2023"); // a live price and a closing one: the least fresh
        QCOMPARE(reply.body,
                 std::string("\"RELIANCE.NS\",2284.45,\"6/27/2023\",\"3:30PM\",-11.15,2312.00,"
                             "2315.50,2280.05,5731590,2180.00,2856.15,\"2180.00 - 2856.15\"\r\n"
                             "\"TCS.NS\",3250.40,\"6/26/2023\",\"3:30PM\",N/A,3240.00,3262.75,"
                             "3231.10,0,N/A,N/A,\"N/A\"\r\n"
                             "\"NOSUCH.NS\",N/A,\"N/A\",\"N/A\",N/A,N/A,N/A,N/A,N/A,N/A,N/A,"
                             "\"N/A\"\r\n"));
        // The later source is asked only what the earlier one did not know.
        QCOMPARE(m_endOfDay->asked(), (std::set<std::string>{"NOSUCH.NS", "TCS.NS"}));

        const QJsonObject json = status();
        QCOMPARE(json["label"].toString() + " / " + json["sources"][1]["label"].toString(),
                 QStringLiteral("END OF DAY 6/26/2023 / END OF DAY 6/26/2023"));

        // Chart data from the first source with bars: the session's bars on their slots, the
        // closing stub and bars that are no prices left out, five days folded to five minutes.
        // The picture drawn from the same series is the simulator's test of the shared route.
        Bar broken = bar(Day, 557, 2300);
        broken.close = 0; // a null the source let through
        m_endOfDay->haveBars({bar(Day, 555, 2312, 573159), bar(Day, 556, 2310.95, 296209), broken,
                              bar(Day, 930, 2284.45, 0)});
        const Answer chart = get("/instrument/1.0/RELIANCE.NS/chartdata;type=quote;range=1d/csv/");
        const QStringList lines =
            QString::fromStdString(chart.body).split("\r\n", Qt::SkipEmptyParts);
        QVERIFY(lines.size() == 14 + 2 && lines.contains("Exchange-Name:NSE") &&
                lines.contains("previous_close:2295.60"));
        QCOMPARE(lines[14], QStringLiteral("1687857300,2312.00,2313.00,2310.00,2311.00,573159"));
        QCOMPARE(get("/instrument/1.0/NOSUCH.NS/chartdata;type=quote;range=5d/csv/").status, 404);

        std::vector<Bar> minutes;
        for (std::int64_t day : {Day - 1, Day})
            for (int minute = 555; minute < 560; ++minute)
                minutes.push_back(bar(day, minute, 100 + minute - 555, 10));
        const ChartSeries five = seriesFromBars(minutes, ChartRange::FiveDays);
        QCOMPARE(five.bars.size(), 2u);
        QCOMPARE(five.barSlots[1], 75);
        const Bar &folded = five.bars[1];
        QCOMPARE(std::tuple(folded.open, folded.close, folded.high, folded.volume),
                 std::tuple(99.0, 104.0, 105.0, std::int64_t(50)));
    }

    void aRefusingSourceFallsBackAndEveryRefusalIs503()
    {
        m_chart->know(reliance());
        // A toppers sweep takes closes from the end-of-day files alone and leaves the quotes be:
        // a file without any company of the request answers them N/A; no file is a refusal.
        m_endOfDay->refuse(NoSymbolKnown);
        const Answer closes = get("/gateway/closes.csv?s=RELIANCE.NS&f=sl1");
        QCOMPARE(std::pair(closes.status, closes.body), std::pair(200, "\"RELIANCE.NS\",N/A\r\n"s));
        QVERIFY(m_chart->asked().empty() && m_market->label().empty());
        m_endOfDay->refuse({});
        m_endOfDay->know(closing(reliance(), 19534));
        QVERIFY(get("/d/quotes.csv?s=%FF%FE,%E2%82%AC.NS&f=sl1").status);
        m_chart->refuse("HTTP 429 \"Too Many Requests\"");
        QCOMPARE(get("/d/quotes.csv?s=RELIANCE.NS&f=sl1").status, 200);

        // Every source refusing, a kept quote still answers under its own date; a symbol with
        // nothing kept is refused.
        m_endOfDay->refuse("no file for today");
        Answer reply = get("/d/quotes.csv?s=RELIANCE.NS&f=sl1");
        QCOMPARE(std::pair(reply.status, reply.source), std::pair(200, "END OF DAY 6/26/2023"s));
        reply = get("/d/quotes.csv?s=TCS.NS&f=sl1");
        QCOMPARE(reply.status, 503);
        QVERIFY2(reply.body.find("no file for today") != std::string::npos, reply.body.c_str());
        QCOMPARE(get("/gateway/closes.csv?s=RELIANCE.NS&f=sl1").status, 503);
        // The status page stays JSON whatever a source's error or an asked symbol holds.
        const QJsonObject json = status();
        QCOMPARE(json["sources"][0]["state"].toString() + ": " +
                     json["sources"][0]["lastError"].toString(),
                 QStringLiteral("refused: HTTP 429 \"Too Many Requests\""));
        QVERIFY(json["unknownSymbols"].toArray().contains(QStringLiteral("\u20ac.NS")));
        QVERIFY(json["unknownSymbols"].toArray().contains(QStringLiteral("\ufffd\ufffd")));

        // A gateway without sources refuses too, rather than answer lines of nothing.
        LiveMarket none({});
        std::vector<std::optional<QuoteFields>> out;
        std::string reason;
        QVERIFY(!none.quotes({"RELIANCE.NS"}, out, reason));
    }

    // The program's label follows how old the kept prices are: the chart source goes quiet, and
    // a day on its last price, fresher than the file's, is shown by its close. Which age earns
    // which label is the freshness test's.
    void theProgramsLabelFollowsTheAgeOfThePrices()
    {
        g_scriptNow = std::chrono::system_clock::time_point(std::chrono::seconds(1687854600));
        LiveQuote early = reliance();
        early.at = 1687854480; // 13:58, two minutes before the clock
        m_chart->know(early);
        m_endOfDay->know(closing(reliance(), 19534));
        GatewayLabel label("http://127.0.0.1:" + std::to_string(m_server->port()));
        label.start(50);
        QVERIFY(get("/d/quotes.csv?s=RELIANCE.NS").status);
        QTRY_COMPARE_WITH_TIMEOUT(label.label(), QStringLiteral("LIVE via chart"), 20000);
        m_chart->refuse("HTTP 503");
        g_scriptNow += std::chrono::hours(26);
        QTRY_COMPARE_WITH_TIMEOUT(label.label(), QStringLiteral("END OF DAY 6/27/2023"), 20000);
    }

    // Each live source against each fault of its host, the sources before it down: the program's
    // refresh through the gateway is answered in time by the next source (503 when none is
    // left), the label names that source, the program's event loop never stalls, and once the
    // fault clears and the back-off is over the faulted source answers again.
    void faultyHostsFallBackAndRecover_data()
    {
        QTest::addColumn<int>("faulted");
        QTest::addColumn<int>("fault");
        const char *names[] = {"chart", "batch", "end-of-day"};
        for (int source = 0; source < 3; ++source)
            for (int fault = 1; fault < int(SourceFaultNames.size()); ++fault)
                QTest::addRow("%s %s", names[source], SourceFaultNames[fault].data())
                    << source << fault;
    }
    void faultyHostsFallBackAndRecover()
    {
        QFETCH(int, faulted);
        QFETCH(int, fault);
        // Each source's reply is of another day: the batch's and the files' Friday's close, the
        // chart's a day of 2024.
        const QString answeredBy[] = {"END OF DAY 6/20/2025", "END OF DAY 6/24/2024",
                                      "END OF DAY 6/20/2025"};
        g_liveNow = std::chrono::system_clock::time_point(std::chrono::seconds(1750681800));
        QTemporaryDir root;
        LiveHosts hosts;
        for (int k = 0; k < faulted; ++k)
            hosts.byOrder[k]->setDown(true);
        if (fault == static_cast<int>(SourceFault::Down))
            hosts.byOrder[faulted]->setDown(true);
        else
            hosts.byOrder[faulted]->setFault(static_cast<SourceFault>(fault));

        LiveMarket::Options options;
        options.now = liveNow;
        options.book.refreshEvery = std::chrono::milliseconds(100);
        LiveMarket market(makeLiveSources(hosts.config(root.path())), options);
        GatewayServer server(market);
        std::string error;
        QVERIFY2(server.start(0, error), error.c_str());
        QuoteGroupRegistry registry;
        // The watch list: RELIANCE.NS, which every source knows, among stocks none knows.
        std::vector<std::string> symbols{"RELIANCE.NS"};
        for (int k = 1; k < 30; ++k)
            symbols.push_back("UNLISTED" + std::to_string(k) + ".NS");
        ListGroup watched(symbols);
        registry.attach(GroupSlot::WatchList, &watched);
        RecordingMessenger messenger;
        RefreshCycle cycle(registry, messenger); // the program's own time limits
        cycle.setBaseUrl("http://127.0.0.1:" + std::to_string(server.port()));
        const auto refresh = [&cycle] {
            QSignalSpy result(&cycle, &RefreshCycle::resultArrived);
            cycle.start();
            return result.wait(60000) && result.first().first().toBool();
        };

        QCOMPARE(refresh(), faulted < 2);
        QCOMPARE(QString::fromStdString(market.label()),
                 faulted < 2 ? answeredBy[faulted + 1] : QString(LiveMarket::NoSourceLabel));

        const int asked = hosts.byOrder[faulted]->totalHits();
        hosts.byOrder[faulted]->setDown(false);
        hosts.byOrder[faulted]->setFault(SourceFault::None);
        g_liveNow += std::chrono::minutes(31); // past the back-off and the end-of-day recheck
        QTRY_VERIFY_WITH_TIMEOUT(hosts.byOrder[faulted]->totalHits() > asked, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(refresh(), 20000);
        QVERIFY(watched.records[0].last > 0);
        QVERIFY(messenger.shown.empty());
    }

    // The options over the settings file, and what either may refuse.
    void commandLine()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("gateway.conf");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("# mine\nsources = chart , end-of-day\nrequests-per-minute = 30\n"
                   "proxy = http://proxy.lan:3128\nnse-url = http://127.0.0.1:7/\n");
        file.close();
        const QByteArray config = path.toLocal8Bit();
        const char *withFile[] = {"gw",
                                  "--config",
                                  config.constData(),
                                  "--requests-per-minute",
                                  "20",
                                  "--chart-url=http://127.0.0.1:5/",
                                  "--data-dir",
                                  "/tmp/x"};
        std::string error;
        const auto configured = parseGatewayOptions(8, withFile, error);
        QVERIFY2(configured, error.c_str());
        const LiveSourceConfig &sources = configured->sources;
        QCOMPARE(sources.order, (std::vector<std::string>{"chart", "end-of-day"}));
        QCOMPARE(std::to_string(sources.requestsPerMinute) + " " + sources.proxy + " " +
                     sources.nseArchiveBaseUrl + " " + sources.chartBaseUrl + " " +
                     configured->dataDir,
                 "20 http://proxy.lan:3128 http://127.0.0.1:7 http://127.0.0.1:5 /tmp/x");
        QCOMPARE(sources.bseBaseUrl, LiveSourceConfig().bseBaseUrl);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("sources = chart, yahoo\n");
        file.close();
        QVERIFY(!parseGatewayOptions(3, withFile, error));
        QVERIFY2(error.find("line 1") != std::string::npos, error.c_str());
        for (std::vector<const char *> bad :
             {std::vector<const char *>{"gw", "--config", "/nonexistent/gateway.conf"},
              {"gw", "--port", "70000"},
              {"gw", "--chart-url", "ftp://x"},
              {"gw", "--seed", "1"}}) {
            error.clear();
            QVERIFY(!parseGatewayOptions(static_cast<int>(bad.size()), bad.data(), error));
            QVERIFY(!error.empty());
        }
    }
};

QTEST_MAIN(GatewayTest)
#include "livemarket_test.moc"
