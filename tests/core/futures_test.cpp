#include "core/futures/futuresboard.h"
#include "core/futures/futuresfetch.h"
#include "core/futures/pagewalk.h"
#include "support/memoryfutures.h"
#include "support/recordingmessenger.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {
using Values = std::array<std::string, 7>;

std::string cells(const std::vector<std::string> &texts)
{
    std::string out;
    for (const std::string &t : texts)
        out += "<td class=\"n\">" + t + "</td>";
    return out;
}

// One contract row as the exchange lays it out: type, underlying, the expiry wrapped in a
// link, option type and strike (not shown), then the seven values.
std::string contractRow(const std::string &expiry, const Values &v, const std::string &extra = {})
{
    return "<tr>" + cells({"FUTSTK", "M&amp;M"}) + "<td><a href=\"/q?e=" + expiry + "\">" + expiry +
           "</a></td>" + cells({"-", "-"}) + cells(std::vector<std::string>(v.begin(), v.end())) +
           extra + "</tr>\r\n";
}

const Values Month1{"1,234.50", "1,200.00", "1,210.25", "1,220.75", "5230", "6,412.33", "1219.0"};
const Values Month2{"1,240.00", "0.00", "1,215.10", "1,230.00", "0", "-", "1219.0"};
const Values Month3{"-", "-", "1,222.00", " 0", "0.0", "abc", "1219.0"};

std::string contractPage(const std::string &rows)
{
    return "<html><body><table>\r\n<tr><th>Instrument Type</th><th>Underlying</th>"
           "<th>Expiry Date</th><th>High</th></tr>\r\n" +
           rows + "</table></body></html>\r\n";
}

std::string goodContractPage()
{
    return contractPage(contractRow("26JUN2008", Month1) + contractRow("31JUL2008", Month2) +
                        contractRow("28AUG2008", Month3));
}

std::string statsPage()
{
    return "<HTML><BODY><TABLE>\r\n<TR><TD CLASS=h>Trade Statistics for 27-Jun-2008</TD></TR>"
           "<TR><TH>Product</TH><TH>No. of contracts</TH><TH>Turnover</TH></TR>\r\n"
           "<TR><TD>Index Futures</TD><TD>1,23,456</TD><TD>7,890.12</TD></TR>\r\n"
           "<TR><TD>Stock Futures</TD><TD>4,56,789</TD><TD>12,345.67</TD></TR>\r\n"
           "<TR><TD>Index Options</TD><TD>9</TD><TD>9</TD></TR></TABLE>\r\n";
}

std::string replaced(std::string text, const std::string &from, const std::string &to)
{
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}
} // namespace

TEST(FuturesPageWalk, ReadsThreeMonthsWithTheDashRuleOrNothing)
{
    const std::string good = goodContractPage();
    EXPECT_EQ(expiryLabel("026JUN2008"), "02-JUN-2008"); // the pieces are counted from both ends
    EXPECT_FALSE(expiryLabel("6JUN2008"));

    const std::pair<const char *, std::string> bad[] = {
        {"no Instrument Type", replaced(good, "Instrument Type", "Instrument Kind")},
        {"no <tr>", replaced(good, "<tr>", "<tr class=r>")},
        {"no <td", replaced(good, "<td", "<th")},
        {"upper-case rows", replaced(replaced(good, "<tr>", "<TR>"), "<td", "<TD")},
        // Another row's cells never stand in for missing ones, nor a month start in its row.
        {"a row one cell short",
         contractPage(
             replaced(contractRow("26JUN2008", Month1), "<td class=\"n\">FUTSTK</td>", "") +
             contractRow("31JUL2008", Month2) + contractRow("28AUG2008", Month3))},
        {"an extra cell in the second row",
         contractPage(contractRow("26JUN2008", Month1) +
                      contractRow("31JUL2008", Month2, "<td>9</td>") +
                      contractRow("28AUG2008", Month3))},
    };
    for (const auto &[why, page] : bad)
        EXPECT_FALSE(walkContractPage(pageText(page))) << why;

    // Cut anywhere before the last value is closed, nothing is read, nor past the end.
    const std::string text = pageText(good);
    const std::size_t lastValueEnd = text.rfind("1219.0</td>") + 6;
    for (std::size_t cut = 0; cut < lastValueEnd; ++cut)
        ASSERT_FALSE(walkContractPage(std::string_view(text).substr(0, cut))) << cut;
    EXPECT_TRUE(walkContractPage(std::string_view(text).substr(0, lastValueEnd + 1)));
}

TEST(FuturesPageWalk, StatisticsUseUpperCaseMarkers)
{
    const std::string good = statsPage();
    for (const auto &[from, to] : std::vector<std::pair<std::string, std::string>>{
             {"Trade Statistics", "Trade Stats"},
             {"<TR>", "<tr>"},
             {"<TD>Stock Futures</TD>", ""}, // a row short of a cell
         })
        EXPECT_FALSE(walkStatsPage(pageText(replaced(good, from, to)))) << from;
    const std::string text = pageText(good);
    const std::size_t end = text.find("12,345.67") + 9;
    for (std::size_t cut = 0; cut < end; ++cut)
        ASSERT_FALSE(walkStatsPage(std::string_view(text).substr(0, cut))) << cut;
}

TEST(FuturesBoard, AddKeepsTheLimitAndFetchWalksThePagesInOrderOrOnlyTheStatistics)
{
    MemoryFutures tables;
    RecordingMessenger messenger;
    FuturesBoard board{tables, tables, messenger};
    for (int i = 0; i < 320; ++i)
        tables.catalogue.push_back({"Stock " + std::to_string(i), "S" + std::to_string(i)});
    tables.catalogue[3] = {"Mahindra & Mahindra Limited", "M&M"};
    const auto choose = [&](int count) {
        for (int i = 0; i < count; ++i)
            tables.chosen.push_back(tables.catalogue[std::size_t(100 + i)]);
        board.load();
    };
    choose(23);
    EXPECT_EQ(board.choices().size(), FuturesBoard::MaxChoices);
    EXPECT_FALSE(board.add({0, 1, 2}));
    EXPECT_EQ(messenger.shown, std::vector<std::string>{FuturesBoard::TooMany});

    EXPECT_TRUE(board.add({3, 100}));
    EXPECT_EQ(std::tuple(board.chosen().size(), board.chosen().back().row.symbol),
              std::tuple(24u, "M&M"));
    EXPECT_EQ(tables.chosen.back(), (FutureRow{"Mahindra & Mahindra Limited", "M&M"}));

    // A stock the table refused is not shown as chosen, nor one it kept as deleted.
    tables.failure = "disk full";
    EXPECT_FALSE(board.add({1}));
    EXPECT_FALSE(board.remove("S100"));
    EXPECT_EQ(board.chosen().size(), 24u);
    EXPECT_EQ(messenger.shown.back(), "disk full");

    tables.failure.clear();
    tables.chosen.clear();
    choose(0);
    FuturesFetch statsOnly(board, "http://x:1");
    EXPECT_EQ(statsOnly.next()->url, "http://x:1/content/fo/fo_markettoday.htm");
    statsOnly.arrived(replaced(statsPage(), "<TD", "<td"));
    EXPECT_EQ(board.stats().rows[1].product, "Stock Futures");

    choose(2);
    board.add({3});
    board.readContractPage(2, pageText(goodContractPage()));
    const ContractMonths kept = board.chosen()[2].months;

    FuturesFetch fetch(board, "http://x:1");
    std::vector<std::string> urls;
    const std::string pages[] = {contractPage(""), goodContractPage()};
    for (int i = 0; i < 2; ++i) {
        urls.push_back(fetch.next()->url);
        EXPECT_STREQ(fetch.next()->agent, FuturesFetch::ContractAgent);
        fetch.arrived(pages[i]);
    }
    urls.push_back(fetch.next()->url);
    fetch.arrived(std::nullopt); // M&M's page: the service went away
    urls.push_back(fetch.next()->url);
    EXPECT_STREQ(fetch.next()->agent, FuturesFetch::StatsAgent);
    fetch.arrived(statsPage());
    EXPECT_FALSE(fetch.next());
    EXPECT_EQ(urls, (std::vector<std::string>{
                        "http://x:1/marketinfo/fo/fomwatchsymbol.jsp?key=S100&Fut_Opt=Futures",
                        "http://x:1/marketinfo/fo/fomwatchsymbol.jsp?key=S101&Fut_Opt=Futures",
                        "http://x:1/marketinfo/fo/fomwatchsymbol.jsp?key=M%26M&Fut_Opt=Futures",
                        "http://x:1/content/fo/fo_markettoday.htm"}));
    EXPECT_EQ(board.chosen()[1].months,
              (ContractMonths{
                  ContractMonth{"26JUN2008", Month1},
                  {"31JUL2008", {"1,240.00", "-", "1,215.10", "1,230.00", "-", "-", "1219.0"}},
                  {"28AUG2008", {"-", "-", "1,222.00", "-", "-", "-", "1219.0"}}}));
    EXPECT_EQ(board.chosen()[2].months, kept);
    EXPECT_EQ(board.stats().heading, "Trade Statistics for 27-Jun-2008");
    EXPECT_EQ(board.stats().rows,
              (std::array<TradeStatRow, 2>{TradeStatRow{"Index Futures", "1,23,456", "7,890.12"},
                                           {"Stock Futures", "4,56,789", "12,345.67"}}));
    // The first stock's page could not be read: its labels stay as they were, until it is.
    EXPECT_EQ(board.expiryLabels()[0], FuturesBoard::InitialExpiry);
    board.readContractPage(0, pageText(goodContractPage()));
    board.updateExpiryLabels();
    EXPECT_EQ(board.expiryLabels(),
              (std::array<std::string, 3>{"26-JUN-2008", "31-JUL-2008", "28-AUG-2008"}));
}
