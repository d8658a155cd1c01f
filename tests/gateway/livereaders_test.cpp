#include "indiatime.h"
#include "jsonvalue.h"
#include "replyreaders.h"
#include "support/fakesourceserver.h"

#include <gtest/gtest.h>

namespace {
std::string fixture(const std::string &name)
{
    return FakeSourceServer::fixture(name);
}
} // namespace

TEST(ChartReader, MetaAndBarsWithNullsLeftMissing)
{
    ChartReply reply;
    ASSERT_TRUE(readChartReply(fixture("chart_adanient_15m.json"), reply).ok);
    EXPECT_DOUBLE_EQ(*reply.price, 2284.45);
    EXPECT_DOUBLE_EQ(*reply.previousClose, 2295.6);
    EXPECT_FALSE(reply.yearHigh); // this reply has no 52-week range: N/A, never guessed
    ASSERT_EQ(reply.points.size(), 4u);
    EXPECT_EQ(reply.points[0].time, 1687837500);
    EXPECT_DOUBLE_EQ(*reply.points[0].close, 2312.0);
    // Another key order, and a bar the source left null.
    ChartReply bel;
    ASSERT_TRUE(readChartReply(fixture("chart_bel_5m.json"), bel).ok);
    ASSERT_EQ(bel.points.size(), 3u);
    EXPECT_FALSE(bel.points[1].close || bel.points[1].volume);
    EXPECT_DOUBLE_EQ(*bel.points[2].open, 443.6);
    EXPECT_EQ(*bel.dayVolume, 10833065);
}

TEST(ChartReader, FaultsGiveAClearErrorAndNoPrice)
{
    struct Case
    {
        std::string body;
        bool unknown;
    };
    const Case cases[] = {
        {fixture("chart_empty_range.json"), false}, // no timestamp, currency null
        {fixture("chart_not_found.json"), true},
        {R"({"chart":{"result":[{"meta":{"regularMarketPrice":1)", false}, // cut short
        {"<html>Too Many Requests</html>", false},
        {R"({"chart":{"result":[]}})", false},
        {R"({"chart":{"result":null,"error":{"code":"","description":""}}})", false},
        {R"({"chart":{"result":[{"meta":{"regularMarketPrice":"12.5"}}]}})", false},
        {std::string(200, '[') + std::string(200, ']'), false}, // nesting past any reply
        {"", false},
    };
    for (const Case &c : cases) {
        ChartReply reply;
        const ReadResult read = readChartReply(c.body, reply);
        EXPECT_FALSE(read.ok) << c.body.substr(0, 60);
        EXPECT_FALSE(read.error.empty());
        EXPECT_EQ(read.unknownSymbol, c.unknown);
        EXPECT_FALSE(reply.price);
    }
}

TEST(JsonValue, ReadsWhatRepliesUse)
{
    const auto doc = JsonValue::parse(R"( {"a":[1.5e2,-3,null,true],"b":"x\"\u00e9"} )");
    ASSERT_TRUE(doc);
    EXPECT_DOUBLE_EQ(*(*doc)["a"].at(0).number(), 150);
    EXPECT_DOUBLE_EQ(*(*doc)["a"].at(1).number(), -3);
    EXPECT_TRUE((*doc)["a"].at(2).isNull());
    EXPECT_FALSE((*doc)["a"].at(9).number());
    EXPECT_EQ(*(*doc)["b"].string(), "x\"\xC3\xA9");
    // A repeated key means its last value, not a blend of both.
    const auto twice = JsonValue::parse(R"({"p":"12","p":"3","q":[1],"q":[2]})");
    ASSERT_TRUE(twice);
    EXPECT_EQ(*(*twice)["p"].string(), "3");
    EXPECT_EQ((*twice)["q"].size(), 1u);
    for (const char *bad : {"[1,]", "{\"a\" 1}", "[1] x", "1e999", "\"\\q\"", "[+1]", "nul"})
        EXPECT_FALSE(JsonValue::parse(bad)) << bad;
}

TEST(CrumbReader, OnlyATokenIsACrumb)
{
    EXPECT_EQ(readCrumb(fixture("crumb_ok.txt")), "Xs2PZ.a8Xr/");
    EXPECT_EQ(readCrumb("Xs2PZ.a8Xr/\r\n"), "Xs2PZ.a8Xr/");
    for (const std::string &bad :
         {fixture("crumb_throttled.txt"), fixture("batch_invalid_crumb.json"),
          std::string("<html></html>"), std::string(""), std::string(200, 'a')})
        EXPECT_FALSE(readCrumb(bad)) << bad;
}

TEST(BatchReader, QuotesBySymbolWithMissingFieldsEmpty)
{
    std::map<std::string, LiveQuote> quotes;
    ASSERT_TRUE(readBatchQuotes(fixture("batch_quotes.json"), quotes).ok);
    ASSERT_EQ(quotes.size(), 2u);
    const LiveQuote &cipla = quotes.at("CIPLA.NS");
    EXPECT_DOUBLE_EQ(*cipla.last, 1001.5);
    EXPECT_DOUBLE_EQ(*cipla.change, -8.5);
    EXPECT_DOUBLE_EQ(*cipla.yearHigh, 1083.0);
    EXPECT_EQ(*cipla.volume, 1234567);
    EXPECT_EQ(cipla.date, "6/27/2023");
    EXPECT_EQ(cipla.time, "3:30PM");
    const LiveQuote &bel = quotes.at("BEL.NS");
    EXPECT_NEAR(*bel.change, 2.9, 1e-9); // against the previous close when no change is given
    EXPECT_FALSE(bel.open);
    EXPECT_FALSE(bel.volume);
    EXPECT_EQ(bel.time, "1:30PM");

    EXPECT_FALSE(readBatchQuotes(fixture("batch_invalid_crumb.json"), quotes).ok);
    EXPECT_FALSE(readBatchQuotes("{\"quoteResponse\":{\"result\":[{\"symbol\":", quotes).ok);
    EXPECT_TRUE(quotes.empty());
}

TEST(BhavcopyReader, ExchangeFilesAndRefusals)
{
    std::string csv;
    ASSERT_TRUE(readSingleFileZip(fixture("bhav_nse_20250620.csv.zip"), csv).ok);
    EXPECT_EQ(csv, fixture("bhav_nse_20250620.csv"));
    Bhavcopy nse;
    ASSERT_TRUE(readBhavcopy(csv, nse).ok);
    EXPECT_EQ(indiatime::slashDate(nse.day), "6/20/2025");
    ASSERT_EQ(nse.rows.size(), 3u);
    EXPECT_EQ(nse.rows[0].symbol, "20MICRONS");
    EXPECT_DOUBLE_EQ(*nse.rows[0].close, 224.00);
    EXPECT_DOUBLE_EQ(*nse.rows[0].previousClose, 225.29);
    EXPECT_EQ(*nse.rows[0].volume, 98100);
    Bhavcopy bse;
    ASSERT_TRUE(readBhavcopy(fixture("bhav_bse_20250620.csv"), bse).ok);
    EXPECT_EQ(bse.rows[0].instrument, "500325");

    std::string zip = fixture("bhav_nse_20250620.csv.zip");
    zip[zip.size() / 2] ^= 0x55; // damaged in transit: the checksum catches it
    for (const std::string &bad : {fixture("not_a_zip.zip"), zip, std::string("PK\3\4")})
        EXPECT_FALSE(readSingleFileZip(bad, csv).ok);
    EXPECT_TRUE(csv.empty());
    std::string shortRow = fixture("bhav_bse_20250620.csv");
    shortRow += "2025-06-20,2025-06-20,CM,BSE,STK,500112\n";
    for (const std::string &bad : {fixture("bhav_other_columns.csv"), shortRow, std::string()})
        EXPECT_FALSE(readBhavcopy(bad, bse).ok);
    EXPECT_TRUE(bse.rows.empty());
}

TEST(IndiaTime, DatesAndClockAcrossMidnight)
{
    EXPECT_EQ(indiatime::clockTime(1687860000), "3:30PM");
    EXPECT_EQ(indiatime::clockTime(1687804200), "12:00AM"); // midnight in India
    EXPECT_EQ(indiatime::slashDate(indiatime::indiaDay(1687804200)), "6/27/2023");
    EXPECT_EQ(indiatime::slashDate(indiatime::indiaDay(1687804199)), "6/26/2023");
    EXPECT_EQ(indiatime::weekday(indiatime::parseIsoDate("2025-06-20")), 5);
    EXPECT_EQ(indiatime::parseIsoDate("2025-02-30"), -1);
}
