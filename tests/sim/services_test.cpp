#include "core/futures/pagewalk.h"
#include "core/net/quoteparser.h"
#include "core/net/urlencode.h"
#include "growingpool.h"
#include "platform/net/internetsession.h"
#include "support/testsim.h"

#include <httplib.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <tuple>

namespace {
// A GET with the target sent exactly as written: the test controls every byte of the query.
struct SimReply
{
    int status = 0; // 0: no whole reply came
    std::string body;
};

SimReply simGet(int port, const std::string &target)
{
    httplib::Client client("127.0.0.1", port);
    client.set_url_encode(false);
    const auto result = client.Get(target);
    return result ? SimReply{result->status, result->body} : SimReply{};
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
const std::string Initial = "/z?s=INFY.NS&t=1d&q=l&l=off&z=m&p=&a=&c=";

const auto q = &QString::fromStdString;

QuoteRecord parsed(const std::string &line)
{
    QuoteRecord r;
    parseQuoteLine(line, r);
    return r;
}

// The initial request with one key's value replaced.
std::string with(const std::string &key, const std::string &value)
{
    std::string target = Initial;
    const std::size_t at = target.find((key == "s" ? "?" : "&") + key + "=") + key.size() + 2;
    const std::size_t end = target.find('&', at);
    return target.replace(at, (end == std::string::npos ? target.size() : end) - at, value);
}

int connectTo(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const timeval wait{10, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Sends the bytes exactly as written on a connection of their own and reads until the server
// closes it: the reply's status, or 0 when no whole status line came.
int rawStatus(int port, const std::string &request)
{
    const int fd = connectTo(port);
    if (fd < 0)
        return 0;
    ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    std::string reply;
    char buffer[4096];
    for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
        reply.append(buffer, std::size_t(n));
    ::close(fd);
    return reply.rfind("HTTP/1.1 ", 0) == 0 ? std::atoi(reply.c_str() + 9) : 0;
}

int threadsOf(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    const QString text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
    const auto found = QRegularExpression(QStringLiteral("Threads:\\s*(\\d+)")).match(text);
    return found.hasMatch() ? found.captured(1).toInt() : -1;
}
} // namespace

// The simulator's services as the program, a browser or the chart panel read them; then the
// HTTP server it shares with the gateway, as outside clients reach it over raw sockets.
class ServicesTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(m_sim.startWith(), qPrintable(m_sim.errorText())); }
    void cleanup()
    {
        control("fault=none&fault-symbol=&latency-ms=0&short-lines=2&clock=2026-12-04T11:00:00");
    }

    // Full lines parse back to quotes. Subsets of the codes, unknown symbols, empty groups and
    // the lines' quoting and decimals are the gateway test's, on the same quote route; the date
    // and time texts the market model test's, the figures' sanity too.
    void quotesComeAsAskedAndChartDataEndsOnTheQuote()
    {
        const std::vector<std::string> lines = replyLines(get(Quotes));
        QCOMPARE(lines.size(), 8u);
        std::vector<QuoteRecord> r;
        for (const std::string &line : lines)
            r.push_back(parsed(line));
        QVERIFY(r[3].volume > r[4].volume && r[4].volume > 0 && r[0].volume == 0);
        QVERIFY(std::abs(r[3].last / r[4].last - 1) < 0.005); // one company, two exchanges
        QCOMPARE(r[5].symbol, std::string("^FTSE"));          // the trailing blank is no obstacle

        // Chart data as backfill reads it: 14 or 19 header lines, then the bars up to the quote;
        // their sanity, spacing and sums are the market model test's, their columns the gateway's.
        const QuoteRecord &quote = r[3];
        const std::string friday0915 = std::to_string(20791LL * 86400 + 555 * 60); // 09:15
        for (const auto &[range, header, count] :
             {std::tuple{"1d", 14u, 106u}, std::tuple{"5d", 19u, 4 * 75u + 22u}}) {
            const std::vector<std::string> rows = replyLines(get(chartData("RELIANCE.NS", range)));
            QCOMPARE(rows.size(), header + count);
            QVERIFY(rows[header - 1].starts_with("volume:"));
            QCOMPARE(q(rows.back()).section(',', 1, 1).toDouble(), double(quote.last));
            QVERIFY(std::string(range) == "5d" || rows[header].starts_with(friday0915 + ","));
        }
        // The index, its symbol sent encoded; a BSE code is found as the quotes find it.
        QCOMPARE(replyLines(get(chartData("%5ENSEI", "1d"))).at(1), std::string("ticker:^nsei"));
        QCOMPARE(reply(chartData("INFY.NS", "2d")).status, 404);
        // A fault for one symbol spoils that stock's backfill only.
        control("fault=http500&fault-symbol=INFY.NS");
        QCOMPARE(reply(chartData("INFY.NS", "1d")).status, 500);
        QCOMPARE(reply(chartData("ACC.NS", "1d")).status, 200);
    }

    // The same seed and clock give the same bytes; the clock moves prices in the session and
    // stands still over the weekend on Friday's close, unless the market is always open.
    void theSeedClockAndCalendarDecideThePrices()
    {
        TestSim same, other;
        QVERIFY(same.startWith());
        QVERIFY(other.startWith({}, 8));
        const std::string reply = get(Quotes);
        QCOMPARE(simGet(same.port(), Quotes).body, reply);
        QVERIFY(simGet(other.port(), Quotes).body != reply);
        control("advance=90");
        QVERIFY(get(Quotes) != reply);
        control("clock=2026-12-04T11:00:00");
        QCOMPARE(get(Quotes), reply);

        control("clock=2026-12-04T15:45:00");
        const std::string fridayClose = get(Quotes);
        QCOMPARE(parsed(replyLines(fridayClose).at(0)).time, std::string("3:30PM"));
        for (const char *later : {"2026-12-05T11:00:00", "2026-12-07T09:14:00"}) {
            control(std::string("clock=") + later);
            QCOMPARE(get(Quotes), fridayClose);
        }

        TestSim open;
        QVERIFY(open.startWith({QStringLiteral("--always-open")}));
        const auto index = [&] { return parsed(replyLines(simGet(open.port(), Quotes).body)[0]); };
        QVERIFY(simControl(open.port(), QStringLiteral("clock=2026-12-05T22:30:00")));
        const QuoteRecord saturday = index();
        QVERIFY(simControl(open.port(), QStringLiteral("advance=120")));
        const QuoteRecord later = index();
        QCOMPARE(later.date + " " + later.time, std::string("12/5/2026 10:32PM"));
        QVERIFY(later.last != saturday.last);
    }

    // The faults themselves are played per service in the fault matrix.
    void controlTakesGoodValuesOnlyAndAFaultGivenAtStartPlaysAtOnce()
    {
        for (const char *query :
             {"fault=fire", "latency-ms=-1", "short-lines=x", "clock=2026-02-30T10:00:00",
              "advance=soon", "colour=red", "fault=http500&latency-ms=abc", "trickle-ms=0"})
            QCOMPARE(reply(std::string("/sim/control?") + query).status, 400);
        QCOMPARE(reply(Quotes).status, 200); // the last one's http500 is not applied

        TestSim sim;
        QVERIFY(sim.startWith({QStringLiteral("--fault"), QStringLiteral("hang"),
                               QStringLiteral("--latency-ms"), QStringLiteral("50")}));
        std::optional<FetchResult> seen, result;
        fetchOnce(this, QStringLiteral("Main session"), sim.url() + Quotes, 1000,
                  [&](const FetchResult &r) { seen = r; });
        fetchOnce(this, QStringLiteral("Main session"), sim.url() + Quotes, 60000,
                  [&](const FetchResult &r) { result = r; });
        QTRY_VERIFY_WITH_TIMEOUT(seen.has_value(), 30000);
        QVERIFY(!seen->ok && !result); // silent until its timeout: the fault plays from the start
        // Terminating does not wait for the hanging reply: it stops within the (generous) grace.
        QVERIFY(sim.stop(30000));
        QTRY_VERIFY(result.has_value() && !result->ok);
    }

    void everyOptionChangesThePicture()
    {
        const QImage initial = image(Initial); // a PNG: image() decodes nothing else
        // One sub-panel per indicator, even one asked for twice.
        QCOMPARE(image(with("a", ",r14,m26-12-9,r14")).size(), QSize(512, 288 + 2 * 84));
        std::vector<QImage> seen{initial};
        for (const auto &[key, values] :
             std::initializer_list<std::pair<std::string, std::vector<const char *>>>{
                 {"t", {"5d", "1m", "3m", "6m", "1y", "2y"}},
                 {"q", {"b", "c"}},
                 {"l", {"on"}},
                 {"p", {",m5", ",m200", ",e5", ",e200", ",b", ",p", ",s", ",v", ",m5,e10"}},
                 {"a", {",m26-12-9", ",f14", ",p12", ",r14", ",ss", ",fs", ",v", ",vm", ",w14"}}})
            for (const char *value : values) {
                const QImage picture = image(with(key, value));
                QVERIFY2(!picture.isNull() && std::ranges::find(seen, picture) == seen.end(),
                         value);
                seen.push_back(picture);
            }
        // An unknown symbol gets a picture saying so, 200 and shown like any chart.
        for (const std::string symbol : {"NOSUCH.NS", "", "%3Cb%3E"})
            QVERIFY(image(with("s", symbol)).size() == QSize(512, 288) &&
                    image(with("s", symbol)) != initial);
        QCOMPARE(image("/z?s=NOSUCH.NS&t=5d&q=c&l=on&z=l&p=,m5&a=,r14&c=").size(), QSize(800, 450));
    }

    // The lookup page escapes what it lists and what was typed, and stays a few hundred rows.
    void lookupAndFuturesPagesReadAsTheProgramReadsThem()
    {
        for (const auto &[typed, shown] :
             {std::pair{"REDDY", "<td>Dr. Reddy&#39;s Laboratories Limited</td>"},
              {"REDDY", ">500124.BO</a>"},
              {"Energy%20%26%20Mob", "s=ARE%26M.NS&amp;t=1y"},
              {"Energy%20%26%20Mob", ">ARE&amp;M.NS</a>"},
              {"%3Cscript%3E", "&lt;script&gt;"},
              {"%20", "Nothing matched"}})
            QVERIFY2(q(get(std::string("/lookup?s=") + typed)).contains(QLatin1String(shown)),
                     shown);
        const QString many = q(get("/lookup?s=limited"));
        QCOMPARE(many.count(QStringLiteral("<tr><td>")), 300);
        QVERIFY(many.contains(QRegularExpression(QStringLiteral(": \\d{4}, the first 300 shown"))));

        // The futures pages, as the program walks them.
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
            QVERIFY2(walked && (*walked)[0].values[0] != "-", symbol.c_str());
            untraded += (*walked)[2].values[0] == "-";
        }
        QVERIFY(untraded > 0);
        QVERIFY(!months("NOSUCH"));
    }

    // A body length two readers could take differently is refused before anything reads it;
    // a plain one goes on to the routes (404). A POST that may have a body waits for it. The
    // gateway's server is the same server with routes of its own.
    void bodyLengthsOfMoreThanOneReadingAre400AndABurstLeavesNoCrowdOfWorkers()
    {
        const std::tuple<const char *, int, bool> cases[] = {
            {"", 404, false},
            {"Content-Length: 0\r\nContent-Length: 0\r\n", 404, true},
            {"Content-Length: 65536\r\n", 404, false},
            {"Content-Length: 5\r\nContent-Length: 6\r\n", 400, true},
            {"Content-Length: 0\r\ncontent-length: 7\r\n", 400, true},
            {"Content-Length: +5\r\n", 400, true},
            {"Content-Length: 65537\r\n", 400, true},
            {"Content-Length: 18446744073709551621\r\n", 400, true},
            {"Content-Length: 3\r\nTransfer-Encoding: chunked\r\n", 400, true}};
        for (const std::string method : {"GET", "POST"})
            for (const auto &[headers, status, posted] : cases)
                if (const std::string head = method + " /nowhere HTTP/1.1\r\nHost: 1\r\n" + headers;
                    method == "GET" || posted)
                    QVERIFY2(rawStatus(m_sim.port(), head + "\r\n") == status,
                             qPrintable(q(head).simplified()));

        // Clients that never finish their requests get workers up to the limit, not beyond; once
        // they leave the pool falls back to its idle few.
        const qint64 pid = m_sim.processId();
        const GrowingPool::Limits limits;
        const int before = threadsOf(pid); // may count idle workers of earlier requests
        QVERIFY(before > 0);
        std::vector<int> held;
        for (std::size_t i = 0; i < limits.maxThreads + 60; ++i) {
            held.push_back(connectTo(m_sim.port()));
            QVERIFY(held.back() >= 0);
            const std::string half = "GET /d/quotes.csv?s=INFY.NS HTTP/1.1\r\nHost: 1";
            ::send(held.back(), half.data(), half.size(), MSG_NOSIGNAL);
        }
        QTRY_VERIFY_WITH_TIMEOUT(threadsOf(pid) >= int(limits.maxThreads), 20000);
        QVERIFY(threadsOf(pid) <= before + int(limits.maxThreads));
        for (const int fd : held)
            ::close(fd);
        QTRY_VERIFY_WITH_TIMEOUT(threadsOf(pid) <= before + int(limits.keptIdle), 30000);
        QCOMPARE(rawStatus(m_sim.port(), "GET /nowhere HTTP/1.1\r\nHost: 1\r\n\r\n"), 404);
    }

private:
    std::string get(const std::string &target) { return reply(target).body; }
    SimReply reply(const std::string &target) { return simGet(m_sim.port(), target); }
    static std::string chartData(const std::string &symbol, const std::string &range)
    {
        return "/instrument/1.0/" + symbol + "/chartdata;type=quote;range=" + range + "/csv/";
    }
    QImage image(const std::string &target)
    {
        const SimReply r = reply(target);
        return r.status == 200 ? QImage::fromData(QByteArray::fromStdString(r.body), "PNG")
                               : QImage();
    }
    std::vector<std::string> quoteLines(const std::string &symbols, const std::string &codes)
    {
        const SimReply r = reply("/d/quotes.csv?s=" + symbols + "&f=" + codes);
        return r.status == 200 ? replyLines(r.body) : std::vector<std::string>{};
    }
    void control(const std::string &query) { QVERIFY(simControl(m_sim.port(), q(query))); }

    TestSim m_sim;
};

QTEST_GUILESS_MAIN(ServicesTest)
#include "services_test.moc"
