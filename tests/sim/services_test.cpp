#include "core/futures/pagewalk.h"
#include "core/market/indextables.h"
#include "core/net/quoteparser.h"
#include "core/net/urlencode.h"
#include "platform/net/internetsession.h"
#include "support/testsim.h"

#include <httplib.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTest>

#include <optional>
#include <sstream>
#include <tuple>

namespace {
// A plain GET to a test's simulator with the target sent exactly as written, so a test
// controls every byte of the query, as the program does.
struct SimReply
{
    bool ok = false; // a whole reply arrived
    int status = 0;
    std::string body;
};

SimReply simGet(int port, const std::string &target)
{
    httplib::Client client("127.0.0.1", port);
    client.set_url_encode(false);
    const auto result = client.Get(target);
    return result ? SimReply{true, result->status, result->body} : SimReply{};
}

// The reply's lines without their line ends.
std::vector<std::string> replyLines(const std::string &body)
{
    std::vector<std::string> lines;
    std::istringstream in(body);
    for (std::string line; std::getline(in, line); lines.push_back(line))
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    return lines;
}

const std::string Full = "sl1d1t1c1ohgvjk";
const std::string Quotes =
    "/d/quotes.csv?s=^NSEI,^BSESN,USDINR=X,RELIANCE.NS,500325.BO,^FTSE%20,INFY,BSE-AUTO.BO&f=" +
    Full;

// The line shape the program's parser expects: quoted strings, M/D/YYYY, 11:00am, a range.
const QRegularExpression Shape(QStringLiteral(
    "^\"[^\"]+\",\\d+\\.\\d\\d,\"12/4/"
    "2026\",\"11:00am\",[+-]?\\d+\\.\\d\\d,(\\d+\\.\\d\\d,){3}\\d+,\\d+\\.\\d\\d,\\d+\\.\\d\\d$"));

QString q(const std::string &s)
{
    return QString::fromStdString(s);
}

QuoteRecord parsed(const std::string &line)
{
    QuoteRecord r;
    parseQuoteLine(line, r);
    return r;
}

const std::string Initial = "/z?s=INFY.NS&t=1d&q=l&l=off&z=m&p=&a=&c=";

QImage decoded(const SimReply &r)
{
    return QImage::fromData(QByteArray::fromStdString(r.body), "PNG");
}

// The initial request with one key's value replaced.
std::string with(const std::string &key, const std::string &value)
{
    std::string target = Initial;
    const std::size_t at = target.find((key == "s" ? "?" : "&") + key + "=") + key.size() + 2;
    const std::size_t end = target.find('&', at);
    return target.replace(at, (end == std::string::npos ? target.size() : end) - at, value);
}
} // namespace

// The simulator's services as the program reads them: quote lines (shape, order, unknown and
// empty symbols), the simulated clock and reproducibility, the faults the program's error
// handling is tested against, and the chart images and lookup page as a browser or the chart
// panel fetch them.
class ServicesTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(m_sim.startWith(), qPrintable(m_sim.errorText())); }
    void cleanup()
    {
        control("fault=none&fault-symbol=&latency-ms=0&short-lines=2&clock=2026-12-04T11:00:00");
    }

    void fullLinesParseBackToSaneQuotes()
    {
        const std::vector<std::string> lines = replyLines(get(Quotes));
        QCOMPARE(lines.size(), 8u);
        std::vector<QuoteRecord> r;
        for (const std::string &line : lines) {
            QVERIFY2(Shape.match(q(line)).hasMatch(), line.c_str());
            r.push_back(parsed(line)); // the figures' own sanity is the market model test's
            QCOMPARE(r.back().time, std::string("11:00AM"));
        }
        QVERIFY(r[3].volume > r[4].volume && r[4].volume > 0 && r[0].volume == 0);
        QVERIFY(std::abs(r[3].last / r[4].last - 1) < 0.005); // one company, two exchanges
        QCOMPARE(r[5].symbol, std::string("^FTSE"));          // the trailing blank is no obstacle
    }

    // Any order and subset of the codes; unknown symbols N/A, empty groups left out.
    void codesAndSymbolsAsAsked()
    {
        const QStringList f = q(quoteLines("RELIANCE.NS", Full).at(0)).split(QLatin1Char(','));
        QCOMPARE(q(quoteLines("RELIANCE.NS", "kl1sw").at(0)),
                 f[10] + "," + f[1] + "," + f[0] + QStringLiteral(",\"%1 - %2\"").arg(f[9], f[10]));
        const std::vector<std::string> lines = quoteLines(",^BSESN,,NOSUCH.NS,^NSEI,", Full);
        QCOMPARE(lines.size(), 3u);
        QVERIFY(lines[0].starts_with("\"^BSESN\","));
        QCOMPARE(q(lines[1]),
                 QStringLiteral("\"NOSUCH.NS\",N/A,\"N/A\",\"N/A\",N/A,N/A,N/A,N/A,N/A,N/A,N/A"));
        QCOMPARE(q(quoteLines("NOSUCH.BO", "w").at(0)), QStringLiteral("\"N/A\""));
        QCOMPARE(quoteLines(",,", Full).size(), 0u);
    }

    void everyPanelAndListedSymbolIsQuoted()
    {
        // The world and indices panels' symbols as the program sends them.
        std::string panels;
        const auto add = [&](const auto &table) {
            for (const NamedSymbol &s : table)
                panels += encodeQueryValue(std::string(s.symbol)) + ",";
        };
        add(indextables::World), add(indextables::Adr), add(indextables::Nse),
            add(indextables::Bse);
        // Listed companies on both exchanges (one on BSE only), "&" and all (each company's figures
        // are checked in the market model test).
        for (const auto &[batch, count] :
             {std::pair{panels, 48u},
              std::pair{std::string("M%26M.NS,ARE%26M.NS,RELIANCE.NS,500520.BO,544412.BO"), 5u}}) {
            const std::vector<std::string> lines = quoteLines(batch, "sl1d1t1c1ohgv");
            QCOMPARE(lines.size(), count);
            for (const std::string &line : lines)
                QVERIFY2(line.find("N/A") == std::string::npos, line.c_str());
        }
    }

    // The same seed and clock give the same bytes; the clock moves prices in the session and
    // stands still over the weekend on Friday's close.
    void theSeedAndClockDecideThePrices()
    {
        TestSim same, other;
        QVERIFY(same.startWith());
        QVERIFY(other.startWith({}, 8));
        const std::string reply = get(Quotes);
        QCOMPARE(simGet(same.port(), Quotes).body, reply);
        QVERIFY(simGet(other.port(), Quotes).body != reply);
        const std::vector<std::string> before = replyLines(reply);
        control("advance=90");
        const std::vector<std::string> after = replyLines(get(Quotes));
        for (std::size_t i = 0; i < after.size(); ++i) {
            QCOMPARE(parsed(after[i]).time, std::string("11:01AM"));
            QVERIFY2(parsed(after[i]).last != parsed(before[i]).last, after[i].c_str());
        }
        QVERIFY(parsed(after[3]).volume > parsed(before[3]).volume); // the stock trades on
        control("clock=2026-12-04T11:00:00");
        QCOMPARE(get(Quotes), reply);

        control("clock=2026-12-04T15:45:00");
        const std::string fridayClose = get(Quotes);
        const QuoteRecord nifty = parsed(replyLines(fridayClose).at(0));
        QCOMPARE(nifty.time, std::string("3:30PM"));
        for (const char *later : {"2026-12-05T11:00:00", "2026-12-07T09:14:00"}) {
            control(std::string("clock=") + later);
            QCOMPARE(get(Quotes), fridayClose);
        }
        control("advance=60"); // Monday 09:15, the open
        const QuoteRecord monday = parsed(replyLines(get(Quotes)).at(0));
        QCOMPARE(monday.date, std::string("12/7/2026"));
        QCOMPARE(monday.time, std::string("9:15AM"));
        QVERIFY(std::abs(monday.change - (monday.last - nifty.last)) < 0.006); // Friday's close
    }

    void alwaysOpenMovesAtTheWeekend()
    {
        TestSim open;
        QVERIFY(open.startWith({QStringLiteral("--always-open")}));
        const auto nifty = [&] { return parsed(replyLines(simGet(open.port(), Quotes).body)[0]); };
        QVERIFY(simGet(open.port(), "/sim/control?clock=2026-12-05T22:30:00").status == 200);
        const QuoteRecord before = nifty();
        QVERIFY(simGet(open.port(), "/sim/control?advance=120").status == 200);
        const QuoteRecord after = nifty();
        QCOMPARE(after.date, std::string("12/5/2026"));
        QCOMPARE(after.time, std::string("10:32PM"));
        QVERIFY(after.last != before.last);
    }

    // The faults themselves are played per service in the fault matrix.
    void controlTakesGoodValuesOnly()
    {
        for (const char *query :
             {"fault=fire", "latency-ms=-1", "short-lines=x", "clock=2026-02-30T10:00:00",
              "advance=soon", "colour=red", "fault=http500&latency-ms=abc", "trickle-ms=0"})
            QCOMPARE(reply(std::string("/sim/control?") + query).status, 400);
        QCOMPARE(reply(Quotes).status, 200); // the last one's http500 is not applied
        control("fault=short");
        control("short-lines=5");
        QCOMPARE(replyLines(get(Quotes)).size(), 5u);
    }

    void startsWithAFaultAndStopsWhileHanging()
    {
        TestSim sim;
        QVERIFY(sim.startWith({QStringLiteral("--fault"), QStringLiteral("hang"),
                               QStringLiteral("--latency-ms"), QStringLiteral("50")}));
        std::optional<FetchResult> seen, result;
        fetchOnce(this, QStringLiteral("Main session"), sim.url() + Quotes, 1000,
                  [&](const FetchResult &r) { seen = r; });
        fetchOnce(this, QStringLiteral("Main session"), sim.url() + Quotes, 60000,
                  [&](const FetchResult &r) { result = r; });
        QTRY_VERIFY_WITH_TIMEOUT(seen.has_value(), 30000);
        QVERIFY(!seen->ok); // silent until its timeout: the fault plays from the start
        QVERIFY(!result);
        // Terminating must not wait for the hanging reply: the simulator stops by itself
        // rather than being killed when the (generous) grace runs out.
        QVERIFY(sim.stop(30000));
        QTRY_VERIFY(result.has_value());
        QVERIFY(!result->ok);
    }

    void everyOptionChangesThePicture()
    {
        const SimReply png = reply(Initial);
        QCOMPARE(png.body.substr(0, 8), std::string("\x89PNG\r\n\x1a\n"));
        const QImage initial = decoded(png);
        QCOMPARE(initial.size(), QSize(512, 288)); // the panel checks the other sizes
        QCOMPARE(image(Initial), initial);         // the same request, the same picture
        // One sub-panel per indicator, even one asked for twice.
        QCOMPARE(image(with("a", ",r14,m26-12-9,r14")).size(), QSize(512, 288 + 2 * 84));
        std::vector<std::string> targets;
        for (const auto &[key, values] :
             std::initializer_list<std::pair<std::string, std::vector<const char *>>>{
                 {"t", {"5d", "1m", "3m", "6m", "1y", "2y"}},
                 {"q", {"b", "c"}},
                 {"l", {"on"}},
                 {"p", {",m5", ",m200", ",e5", ",e200", ",b", ",p", ",s", ",v", ",m5,e10"}},
                 {"a", {",m26-12-9", ",f14", ",p12", ",r14", ",ss", ",fs", ",v", ",vm", ",w14"}},
                 {"c", {"%5EBSESN,%5ENSEI"}},
                 {"s", {"500209.BO"}}})
            for (const char *value : values)
                targets.push_back(with(key, value));
        std::vector<QImage> seen{initial};
        for (const std::string &target : targets) {
            const QImage picture = image(target);
            QVERIFY2(!picture.isNull(), target.c_str());
            for (const QImage &other : seen)
                QVERIFY2(picture != other, target.c_str());
            seen.push_back(picture);
        }
    }

    void unknownSymbolGetsAPictureSayingSo()
    {
        const QImage known = image(Initial);
        for (const std::string symbol : {"NOSUCH.NS", "", "%3Cb%3E"}) {
            const QImage picture = image(with("s", symbol)); // 200: shown like any chart
            QCOMPARE(picture.size(), QSize(512, 288));
            QVERIFY(picture != known);
        }
        QCOMPARE(image("/z?s=NOSUCH.NS&t=5d&q=c&l=on&z=l&p=,m5&a=,r14&c=").size(), QSize(800, 450));
    }

    // Chart data as backfill reads it: a header block of 14 or 19 lines, then one sane bar a
    // line up to the present, ending on the quote's last price and volume.
    void chartDataEndsOnTheQuote()
    {
        const QRegularExpression bar(QStringLiteral(
            "^(\\d+),(\\d+\\.\\d\\d),(\\d+\\.\\d\\d),(\\d+\\.\\d\\d),(\\d+\\.\\d\\d),(\\d+)$"));
        const QuoteRecord quote = parsed(quoteLines("RELIANCE.NS", Full).at(0));
        const long long friday0915 = 20791LL * 86400 + 555 * 60; // 2026-12-04 09:15
        for (const auto &[range, header, count, step] :
             {std::tuple{"1d", 14u, 106u, 60}, std::tuple{"5d", 19u, 4 * 75u + 22u, 300}}) {
            const std::vector<std::string> lines = replyLines(
                get(std::string("/instrument/1.0/RELIANCE.NS/chartdata;type=quote;range=") + range +
                    "/csv/"));
            QCOMPARE(lines.size(), header + count);
            QVERIFY(lines[header - 1].starts_with("volume:"));
            long long previous = 0, volume = 0;
            double close = 0;
            for (std::size_t k = header; k < lines.size(); ++k) {
                const auto m = bar.match(q(lines[k]));
                QVERIFY2(m.hasMatch(), lines[k].c_str());
                const long long time = m.captured(1).toLongLong();
                const double c = m.captured(2).toDouble(), h = m.captured(3).toDouble(),
                             l = m.captured(4).toDouble(), o = m.captured(5).toDouble();
                QVERIFY2(l <= std::min(o, c) && std::max(o, c) <= h, lines[k].c_str());
                QVERIFY(time > previous && time % step == 0);
                previous = time, close = c, volume += m.captured(6).toLongLong();
            }
            QCOMPARE(close, static_cast<double>(quote.last));
            if (std::string(range) == "1d") {
                QCOMPARE(lines[header].substr(0, lines[header].find(',')),
                         std::to_string(friday0915));
                QCOMPARE(volume, static_cast<long long>(quote.volume));
            }
        }
        // The index, its symbol sent encoded or not, and a BSE code.
        const std::string nifty = get("/instrument/1.0/%5ENSEI/chartdata;type=quote;range=1d/csv/");
        QCOMPARE(get("/instrument/1.0/^NSEI/chartdata;type=quote;range=1d/csv/"), nifty);
        QCOMPARE(replyLines(nifty).at(1), std::string("ticker:^nsei"));
        QCOMPARE(
            replyLines(get("/instrument/1.0/500325.BO/chartdata;type=quote;range=5d/csv/")).size(),
            19u + 322u);
        QCOMPARE(reply("/instrument/1.0/NOSUCH.NS/chartdata;type=quote;range=1d/csv/").status, 404);
        QCOMPARE(reply("/instrument/1.0/INFY.NS/chartdata;type=quote;range=2d/csv/").status, 404);
        // A fault for one symbol spoils that stock's backfill only.
        control("fault=http500&fault-symbol=INFY.NS");
        QCOMPARE(reply("/instrument/1.0/INFY.NS/chartdata;type=quote;range=1d/csv/").status, 500);
        QCOMPARE(reply("/instrument/1.0/ACC.NS/chartdata;type=quote;range=1d/csv/").status, 200);
    }

    // The lookup page escapes what it lists and what was typed, and stays a few hundred rows.
    void lookupListsMatchingCompaniesEscaped()
    {
        const QString reddy = q(get("/lookup?s=REDDY"));
        QVERIFY(reddy.contains(QStringLiteral("<td>Dr. Reddy&#39;s Laboratories Limited</td>")));
        QVERIFY(reddy.contains(QStringLiteral(">500124.BO</a>")));
        const QString amp = q(get("/lookup?s=Energy%20%26%20Mob"));
        QVERIFY(amp.contains(QStringLiteral("s=ARE%26M.NS&amp;t=1y")));
        QVERIFY(amp.contains(QStringLiteral(">ARE&amp;M.NS</a>")));
        QVERIFY(q(get("/lookup?s=%3Cscript%3E")).contains(QStringLiteral("&lt;script&gt;")));
        QVERIFY(q(get("/lookup?s=%20")).contains(QStringLiteral("Nothing matched")));
        const QString many = q(get("/lookup?s=limited"));
        QCOMPARE(many.count(QStringLiteral("<tr><td>")), 300);
        QVERIFY(many.contains(QRegularExpression(QStringLiteral(": \\d{4}, the first 300 shown"))));
    }

    void futuresPagesReadAsTheProgramWalksThem()
    {
        const auto months = [this](const std::string &key) {
            return walkContractPage(
                pageText(get("/marketinfo/fo/fomwatchsymbol.jsp?key=" + key + "&Fut_Opt=Futures")));
        };
        // The months' expiries and the statistics page are the futures panel test's.
        const auto mm = months("M%26M");
        QVERIFY(mm);
        const QuoteRecord spot = parsed(quoteLines("M%26M.NS", Full).at(0));
        QCOMPARE(q((*mm)[0].values[6]), QString::number(spot.last, 'f', 2));

        // Every stock of the list has its three months; the far one trades thinly.
        QFile list(QString::fromLatin1(qgetenv("VANTREL_SOURCE_DIR")) + "/data/futures.csv");
        QVERIFY(list.open(QIODevice::ReadOnly));
        int untraded = 0;
        for (const QByteArray &line : list.readAll().trimmed().split('\n').mid(1)) {
            const std::string symbol = line.mid(line.lastIndexOf(',') + 1).trimmed().toStdString();
            const auto walked = months(encodeQueryValue(symbol));
            QVERIFY2(walked, symbol.c_str());
            QVERIFY2((*walked)[0].values[0] != "-", symbol.c_str());
            untraded += (*walked)[2].values[0] == "-";
        }
        QVERIFY(untraded > 0);
        QVERIFY(!months("NOSUCH"));

        // After the month's expiry the next three months run.
        control("clock=2027-01-01T11:00:00");
        QCOMPARE((*months("INFY"))[2].expiry, "25MAR2027");
    }

private:
    std::string get(const std::string &target) { return reply(target).body; }
    SimReply reply(const std::string &target) { return simGet(m_sim.port(), target); }
    QImage image(const std::string &target)
    {
        const SimReply r = reply(target);
        return r.ok && r.status == 200 ? decoded(r) : QImage();
    }
    std::vector<std::string> quoteLines(const std::string &symbols, const std::string &codes)
    {
        const SimReply r = reply("/d/quotes.csv?s=" + symbols + "&f=" + codes);
        return r.ok && r.status == 200 ? replyLines(r.body) : std::vector<std::string>{};
    }
    void control(const std::string &query)
    {
        const SimReply r = reply("/sim/control?" + query);
        QVERIFY(r.ok);
        QCOMPARE(r.status, 200);
        QCOMPARE(QByteArray::fromStdString(r.body).trimmed(), QByteArray("OK"));
    }

    TestSim m_sim;
};

QTEST_GUILESS_MAIN(ServicesTest)
#include "services_test.moc"
