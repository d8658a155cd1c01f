#include "sim/simhttp.h"
#include "support/testsim.h"

#include <QImage>
#include <QRegularExpression>
#include <QTest>

namespace {
const std::string Initial = "/z?s=INFY.NS&t=1d&q=l&l=off&z=m&p=&a=&c=";

QImage decoded(const SimReply &reply)
{
    return QImage::fromData(QByteArray::fromStdString(reply.body), "PNG");
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

// The chart images and the lookup page as a browser or the chart panel fetch them.
class ChartServiceTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(m_sim.startWith(), qPrintable(m_sim.errorText())); }
    void cleanup() { simGet(m_sim.port(), "/sim/control?fault=none"); }
    void everyOptionChangesThePicture()
    {
        const SimReply reply = get(Initial);
        QCOMPARE(reply.body.substr(0, 8), std::string("\x89PNG\r\n\x1a\n"));
        const QImage initial = decoded(reply);
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
            const SimReply reply = get(with("s", symbol));
            QVERIFY(reply.ok);
            QCOMPARE(reply.status, 200); // shown by the panel like any chart
            const QImage picture = decoded(reply);
            QCOMPARE(picture.size(), QSize(512, 288));
            QVERIFY(picture != known);
            QVERIFY(reply.body.size() < 20000);
        }
        QCOMPARE(image("/z?s=NOSUCH.NS&t=5d&q=c&l=on&z=l&p=,m5&a=,r14&c=").size(), QSize(800, 450));
    }

    // What a cut or garbled reply makes of a picture.
    void shortAndGarbageRepliesAreNoPicture()
    {
        // An error status and a dropped connection are the same for every endpoint (quotes).
        const std::string whole = get(Initial).body;
        // Short: the reply arrives whole as HTTP goes, but the picture cannot be decoded.
        simGet(m_sim.port(), "/sim/control?fault=short");
        SimReply cut = get(Initial);
        QVERIFY(cut.ok);
        QCOMPARE(cut.body.size(), whole.size() / 2);
        QVERIFY(decoded(cut).isNull());

        simGet(m_sim.port(), "/sim/control?fault=garbage");
        QVERIFY(decoded(get(Initial)).isNull());
    }

    void lookupListsMatchingCompaniesEscaped()
    {
        const SimReply reddy = get("/lookup?s=REDDY");
        QVERIFY(reddy.ok);
        QCOMPARE(reddy.status, 200);
        const QString html = QString::fromStdString(reddy.body);
        QVERIFY(html.contains(QStringLiteral("<td>Dr. Reddy&#39;s Laboratories Limited</td>")));
        QVERIFY(html.contains(QStringLiteral(">DRREDDY.NS</a>")));
        QVERIFY(html.contains(QStringLiteral(">500124.BO</a>")));
        QVERIFY(!html.contains(QStringLiteral("Reddy's")));

        // "&" in names and symbols; what was typed comes back escaped too.
        const QString amp = QString::fromStdString(get("/lookup?s=Energy%20%26%20Mob").body);
        QVERIFY(amp.contains(QStringLiteral("<td>Amara Raja Energy &amp; Mobility Limited</td>")));
        QVERIFY(amp.contains(QStringLiteral("s=ARE%26M.NS&amp;t=1y")));
        QVERIFY(amp.contains(QStringLiteral(">ARE&amp;M.NS</a>")));
        const QString typed = QString::fromStdString(get("/lookup?s=%3Cscript%3E").body);
        QVERIFY(typed.contains(QStringLiteral("&lt;script&gt;")));
        QVERIFY(!typed.contains(QStringLiteral("<script>")));

        for (const std::string text : {"", "%20", "zzqqxx"}) {
            const QString none = QString::fromStdString(get("/lookup?s=" + text).body);
            QVERIFY2(none.contains(QStringLiteral("Nothing matched")), text.c_str());
            QVERIFY(!none.contains(QStringLiteral("<table>")));
        }
        // A common word matches thousands; the page stays a few hundred rows long.
        const QString many = QString::fromStdString(get("/lookup?s=limited").body);
        QCOMPARE(many.count(QStringLiteral("<tr><td>")), 300);
        QVERIFY(many.contains(QRegularExpression(QStringLiteral(": \\d{4}, the first 300 shown"))));
    }

private:
    SimReply get(const std::string &target) { return simGet(m_sim.port(), target); }
    QImage image(const std::string &target)
    {
        const SimReply reply = get(target);
        if (!reply.ok || reply.status != 200)
            return {};
        return decoded(reply);
    }

    TestSim m_sim;
};

QTEST_GUILESS_MAIN(ChartServiceTest)
#include "chartservice_test.moc"
