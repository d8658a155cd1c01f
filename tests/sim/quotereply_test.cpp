#include "companylist.h"
#include "core/net/quoteparser.h"
#include "sim/simhttp.h"
#include "support/testsim.h"

#include <QRegularExpression>
#include <QTest>

namespace {
const std::string Full = "sl1d1t1c1ohgvjk";

QString q(const std::string &s)
{
    return QString::fromStdString(s);
}

std::vector<std::string> fields(const std::string &line)
{
    std::vector<std::string> out(1);
    for (char c : line) {
        if (c == ',')
            out.emplace_back();
        else
            out.back().push_back(c);
    }
    return out;
}

// Percent-encodes what the program encodes in a symbol ("M&M.NS" must not split the query).
std::string encoded(const std::string &symbol)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : symbol) {
        if (c == '&' || c == ' ' || c == '+' || c == '%' || c == '#')
            out += {'%', hex[c >> 4], hex[c & 15]};
        else
            out.push_back(static_cast<char>(c));
    }
    return out;
}
} // namespace

// The quote service as the program reads it: line shape, order, unknown and empty symbols.
class QuoteReplyTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(m_sim.startWith(), qPrintable(m_sim.errorText())); }
    void fullLinesParseBackToSaneQuotes();
    void shortAndRangeFieldsMatchTheFullLine();
    void orderUnknownAndEmptySymbols();
    void everyPanelSymbolIsQuoted();
    void listedCompaniesAreQuotedInBatches();

private:
    std::vector<std::string> quoteLines(const std::string &symbols, const std::string &codes)
    {
        const SimReply r = simGet(m_sim.port(), "/d/quotes.csv?s=" + symbols + "&f=" + codes);
        if (!r.ok || r.status != 200)
            return {};
        return replyLines(r.body);
    }

    TestSim m_sim;
};

void QuoteReplyTest::fullLinesParseBackToSaneQuotes()
{
    const std::vector<std::string> lines =
        quoteLines("^NSEI,^BSESN,USDINR=X,RELIANCE.NS,500325.BO,^FTSE%20,INFY,BSE-AUTO.BO", Full);
    QCOMPARE(lines.size(), 8u);
    const QRegularExpression shape(QStringLiteral(
        R"(^"[^"]+",\d+\.\d\d,"12/4/2026","11:00am",[+-]?\d+\.\d\d,(\d+\.\d\d,){3}\d+,\d+\.\d\d,\d+\.\d\d$)"));
    for (const std::string &line : lines) {
        QVERIFY2(shape.match(q(line)).hasMatch(), line.c_str());
        QuoteRecord r;
        parseQuoteLine(line, r);
        QVERIFY2(r.last > 0 && r.low <= r.last && r.last <= r.high, line.c_str());
        QVERIFY2(r.low <= r.open && r.open <= r.high, line.c_str());
        QVERIFY2(r.yearLow <= r.low && r.high <= r.yearHigh, line.c_str());
        QCOMPARE(r.time, std::string("11:00AM"));
    }
    QuoteRecord nifty, sensex, dollar, stock, twin, ftse;
    parseQuoteLine(lines[0], nifty);
    parseQuoteLine(lines[1], sensex);
    parseQuoteLine(lines[2], dollar);
    parseQuoteLine(lines[3], stock);
    parseQuoteLine(lines[4], twin);
    parseQuoteLine(lines[5], ftse);
    QVERIFY(nifty.last > 18000 && nifty.last < 30000);
    QVERIFY(sensex.last > 60000 && sensex.last < 100000);
    QVERIFY(dollar.last > 70 && dollar.last < 100);
    QVERIFY(stock.volume > 0 && nifty.volume == 0);
    QVERIFY(std::abs(stock.last / twin.last - 1) < 0.005); // one company, two exchanges
    QCOMPARE(ftse.symbol, std::string("^FTSE"));           // the trailing blank is no obstacle
}

void QuoteReplyTest::shortAndRangeFieldsMatchTheFullLine()
{
    const std::string full = quoteLines("RELIANCE.NS", Full).at(0);
    const std::vector<std::string> nine = quoteLines("RELIANCE.NS", "sl1d1t1c1ohgv");
    QCOMPARE(nine.size(), 1u);
    QVERIFY(full.starts_with(nine[0] + ","));
    QCOMPARE(fields(nine[0]).size(), 9u);

    const std::vector<std::string> f = fields(full);
    const std::vector<std::string> range = quoteLines("RELIANCE.NS", "w");
    QCOMPARE(range.size(), 1u);
    QCOMPARE(q(range[0]), QStringLiteral("\"%1 - %2\"").arg(q(f[9]), q(f[10])));

    // Any order and subset of the codes.
    QCOMPARE(q(quoteLines("RELIANCE.NS", "kl1s").at(0)), q(f[10] + "," + f[1] + "," + f[0]));
}

void QuoteReplyTest::orderUnknownAndEmptySymbols()
{
    // The program leaves an empty group as two commas in a row or a trailing comma.
    const std::vector<std::string> lines = quoteLines(",^BSESN,,NOSUCH.NS,^NSEI,", Full);
    QCOMPARE(lines.size(), 3u);
    QVERIFY(lines[0].starts_with("\"^BSESN\","));
    QCOMPARE(q(lines[1]),
             QStringLiteral(R"("NOSUCH.NS",N/A,"N/A","N/A",N/A,N/A,N/A,N/A,N/A,N/A,N/A)"));
    QVERIFY(lines[2].starts_with("\"^NSEI\","));
    QCOMPARE(q(quoteLines("NOSUCH.BO", "w").at(0)), QStringLiteral("\"N/A\""));
    QCOMPARE(quoteLines(",,", Full).size(), 0u);
}

void QuoteReplyTest::everyPanelSymbolIsQuoted()
{
    // The world and Indian indices panels ask for these by name.
    const std::string symbols =
        "^DJI,^IXIC,^GSPC,^FTSE%20,^GDAXI,^FCHI,^MIBTEL,^SSMI,^N225,^HSI,^SSEC,^STI,^TWII,^JKSE,^"
        "KS11,"
        "INFY,HDB,IBN,MTE,PTI,RDY,SAY,SLT,TTM,SIFY,WIT,"
        "^NSED,^NSMIDCP,^CRSLDX,^CRSMID,^NSEBANK,^CNXIT,"
        "BSE-AUTO.BO,BSE-BANK.BO,BSE-100.BO,BSE-200.BO,BSE-500.BO,BSE-CG.BO,BSE-CD.BO,BSE-FMCG.BO,"
        "BSE-HC.BO,BSE-IT.BO,BSE-MIDCAP.BO,BSE-PSU.BO,BSE-SMLCAP.BO,BSE-TECK.BO,BSE-METAL.BO,BSE-"
        "OILGAS.BO";
    const std::vector<std::string> lines = quoteLines(symbols, Full);
    QCOMPARE(lines.size(), 48u);
    for (const std::string &line : lines)
        QVERIFY2(line.find("N/A") == std::string::npos, line.c_str());
}

void QuoteReplyTest::listedCompaniesAreQuotedInBatches()
{
    const auto rows = loadCompanyList(VANTREL_DATA_DIR "/companylist.csv");
    QVERIFY(rows);
    std::string nse, bse;
    int nseCount = 0, bseCount = 0;
    for (const CompanyRow &row : *rows) {
        if (!row.nseSymbol.empty() && nseCount < 150)
            nse += (nseCount++ ? "," : "") + encoded(row.nseSymbol) + ".NS";
        if (!row.bseSymbol.empty() && bseCount < 200)
            bse += (bseCount++ ? "," : "") + row.bseSymbol + ".BO";
    }
    QVERIFY(nse.find("%26") != std::string::npos); // some symbol has a "&"
    for (const auto &[batch, count] : {std::pair{nse, 150u}, std::pair{bse, 200u}}) {
        const std::vector<std::string> lines = quoteLines(batch, "sl1d1t1c1ohgv");
        QCOMPARE(lines.size(), count);
        for (const std::string &line : lines)
            QVERIFY2(line.find("N/A") == std::string::npos, line.c_str());
    }
}

QTEST_GUILESS_MAIN(QuoteReplyTest)
#include "quotereply_test.moc"
