#include "core/net/quoteorigin.h"
#include "core/net/quoteparser.h"
#include "core/portfolio/portfolio.h"
#include "core/shell/refreshplan.h"
#include "core/toppers/toppersstatus.h"
#include "support/listgroup.h"
#include "support/memoryprofile.h"
#include "support/recordingmessenger.h"

#include <gtest/gtest.h>

// The live gateway's word on each quote's source and time, and the tooltips made of it.
namespace {
constexpr std::int64_t Close5Dec2026 = 1796464800; // 15:30 in India
constexpr std::int64_t Early5Dec2026 = 1796409900; // 00:15 in India, still the 4th in UTC
} // namespace

TEST(QuoteOrigin, EachEntryKeepsItsPositionAndJunkIsUnknown)
{
    const auto origins = parseQuoteOrigins("live;batch;1796464000;0,,eod;end-of-day;1796464800;0,"
                                           "delayed;chart;12x;0,closed;;1;0,stale;chart;1;0,"
                                           "live;batch;1;0;9,delayed;chart;1796409900;15");
    ASSERT_EQ(origins.size(), 8u);
    EXPECT_EQ(origins[0], (QuoteOrigin{QuoteOrigin::Live, "batch", 1796464000, 0}));
    EXPECT_EQ(origins[1].kind, QuoteOrigin::Unknown);
    EXPECT_EQ(origins[2], (QuoteOrigin{QuoteOrigin::EndOfDay, "end-of-day", Close5Dec2026, 0}));
    for (std::size_t k = 3; k < 7; ++k)
        EXPECT_EQ(origins[k].kind, QuoteOrigin::Unknown) << k;
    EXPECT_EQ(origins[7].delayedMinutes, 15);
    EXPECT_TRUE(parseQuoteOrigins("").empty());
}

TEST(QuoteOrigin, TipsSayTheIndianDateAndTheSourceOfPricesThatAreNotLive)
{
    EXPECT_EQ(quoteOriginTip({QuoteOrigin::EndOfDay, "end-of-day", Close5Dec2026, 0}),
              "Close of 05-Dec-2026 via end of day");
    EXPECT_EQ(quoteOriginTip({QuoteOrigin::Closed, "batch", Close5Dec2026, 0}),
              "Close of 05-Dec-2026 via batch");
    EXPECT_EQ(quoteOriginTip({QuoteOrigin::Delayed, "chart", Early5Dec2026, 15}),
              "Delayed 15 min, 00:15 of 05-Dec-2026 via chart");
    EXPECT_EQ(quoteOriginTip({QuoteOrigin::Live, "batch", Close5Dec2026, 0}), "");
    EXPECT_EQ(quoteOriginTip({}), "");
    EXPECT_EQ(toppersstatus::sourceLine({QuoteOrigin::EndOfDay, "end-of-day", Close5Dec2026, 0}),
              "Prices: Close of 05-Dec-2026 via end of day");
    EXPECT_EQ(toppersstatus::sourceLine({}), "Prices: no end-of-day file answered");
}

// Origins follow the reply's lines, which skip empty symbols; a reply without them (the
// simulator's) leaves no origin behind from an earlier one.
TEST(QuoteOrigin, RecordsTakeTheOriginOfTheirOwnLine)
{
    QuoteGroupRegistry registry;
    ListGroup watch{{"A.NS", "", "B.NS"}};
    registry.attach(GroupSlot::WatchList, &watch);
    const RefreshPlan plan = registry.plan("");
    const std::vector<std::string> lines{"\"A.NS\",1", "\"B.NS\",2"};
    ASSERT_TRUE(
        distributeReply(plan, lines, registry, parseQuoteOrigins(",eod;end-of-day;1796464800;0")));
    EXPECT_EQ(watch.records[0].origin.kind, QuoteOrigin::Unknown);
    EXPECT_EQ(watch.records[2].origin.kind, QuoteOrigin::EndOfDay);
    ASSERT_TRUE(distributeReply(plan, lines, registry));
    EXPECT_EQ(watch.records[2].origin.kind, QuoteOrigin::Unknown);
}

// A holding row keeps its price's origin through the lots merged into it.
TEST(QuoteOrigin, HoldingRowsKeepTheOriginOfTheirPrice)
{
    MemoryProfile store;
    RecordingMessenger messenger;
    Portfolio portfolio{store, messenger};
    store.rows = {{"Cipla", "NSE", "CIPLA", 0, 1000, 5, 1},
                  {"Cipla", "NSE", "CIPLA", 0, 990, 5, 1}};
    portfolio.load();
    portfolio.buildSymbolTable();
    QuoteRecord *quote = portfolio.quoteTarget(0, portfolio.quoteSymbols().at(0));
    ASSERT_NE(quote, nullptr);
    parseQuoteLine("\"CIPLA.NS\",1001.50", *quote, quotefields::Full);
    quote->origin = parseQuoteOrigins("eod;end-of-day;1796464800;0").at(0);
    portfolio.refresh({BrokerEntry{1, "Plain", {}}});
    ASSERT_EQ(portfolio.list(TradeKind::Delivery).rows.size(), 1u);
    EXPECT_EQ(quoteOriginTip(portfolio.list(TradeKind::Delivery).rows[0].origin),
              "Close of 05-Dec-2026 via end of day");
}
