#include "core/chartlink/backfill.h"
#include "core/chartlink/feedtext.h"
#include "core/chartlink/instancekiller.h"

#include <gtest/gtest.h>

#include <map>

using namespace chartlink;

namespace {

WatchedStock stock(const std::string &exchange, const std::string &symbol, double previous,
                   double last, int previousVolume = 0, int volume = 0, int taken = 1)
{
    WatchedStock s;
    s.entry = WatchRow{symbol + " Ltd", exchange, symbol};
    s.previous = PreviousValues{previousVolume, previous, taken};
    s.quote.last = last;
    s.quote.volume = volume;
    return s;
}

void setIndex(IndexBoard &board, double nifty, double sensex)
{
    for (QuoteRecord *q : {board.quoteTarget(0, "^NSEI"), board.quoteTarget(1, "^BSESN")}) {
        q->date = "12/4/2026";
        q->time = "3:30pm";
        q->symbol = "^NSEI";
    }
    board.quoteTarget(0, "^NSEI")->last = nifty;
    board.quoteTarget(1, "^BSESN")->last = sensex;
}

} // namespace

TEST(ChartLinkFeed, RecordsJoinedByStarWithCellPricesAndVolumeIncrease)
{
    IndexBoard board;
    const std::vector<WatchedStock> stocks = {
        stock("NSE", "ACC", 1850, 1852.4, 1000, 2200),
        stock("BSE", "500325", 2500, 2510, 10, 20),
        stock("NSE", "INFOSYSTCH", 0, 1500), // no previous price yet
        stock("NSE", "TCS", 3999.999, 4001.5, 0, 700, 0),
        // A price no market has: the charting program would refuse the whole text for it.
        stock("NSE", "JUNK", 10, -5, 0, 100),
    };
    setIndex(board, 24550.1, 80120);
    EXPECT_EQ(feedText(board, stocks), "ACC,1850.00,1852.40,1200,*TCS,4000.00,4001.50,0")
        << "no index record before the main bar holds a previous value";
    board.updateRows();
    setIndex(board, 24560.35, 80150.5);
    EXPECT_EQ(feedText(board, stocks), "NIFTY,24550.10,24560.35,0*SENSEX,80120.00,80150.50,0*"
                                       "ACC,1850.00,1852.40,1200,*TCS,4000.00,4001.50,0");
    EXPECT_EQ(syncList(stocks), "ACC,INFOSYSTCH,TCS,JUNK,NIFTY,SENSEX,");
    EXPECT_EQ(syncList({}), "NIFTY,SENSEX,");
}

TEST(ChartLinkFeed, FirstCycleCarriesNoStockRecords)
{
    IndexBoard board;
    const std::vector<WatchedStock> fresh = {stock("NSE", "ACC", 0, 1852.4, 0, 100, 0)};
    EXPECT_EQ(feedText(board, fresh), "");
}

TEST(ChartLinkBackfill, SequencePathsAndHeaderLines)
{
    const std::vector<WatchedStock> stocks = {stock("NSE", "ACC", 0, 0),
                                              stock("BSE", "500325", 0, 0)};
    EXPECT_EQ(backfillTarget(0, stocks)->chartSymbol, "^NSEI");
    EXPECT_EQ(backfillTarget(1, stocks)->name, "SENSEX");
    EXPECT_EQ(backfillTarget(2, stocks)->chartSymbol, "ACC.NS");
    EXPECT_FALSE(backfillTarget(3, stocks)) << "BSE stocks are skipped";
    EXPECT_EQ(chartDataPath("^NSEI", BackfillKind::OneMinute),
              "/instrument/1.0/^NSEI/chartdata;type=quote;range=1d/csv/");
    EXPECT_EQ(chartDataPath("ACC.NS", BackfillKind::FiveMinute),
              "/instrument/1.0/ACC.NS/chartdata;type=quote;range=5d/csv/");

    std::vector<std::string> reply(19, "header");
    EXPECT_EQ(backfillData(reply, BackfillKind::FiveMinute), "") << "only header lines";
    EXPECT_EQ(backfillData(reply, BackfillKind::OneMinute), "header*header*header*header*header*");
    reply.push_back("1733300100,24550.1,24552,24549,24551,1200");
    reply.push_back("");
    EXPECT_EQ(backfillData(reply, BackfillKind::FiveMinute),
              "1733300100,24550.1,24552,24549,24551,1200**");
}

namespace {
class FakeTable : public ProcessTable
{
public:
    bool readable = true;
    std::vector<ProcessEntry> processes;
    std::map<long, Termination> outcome; // Done unless said otherwise
    std::vector<long> terminated;

    bool list(std::vector<ProcessEntry> &out) override
    {
        out = processes;
        return readable;
    }
    Termination terminate(long pid) override
    {
        const Termination t = outcome.contains(pid) ? outcome[pid] : Termination::Done;
        if (t == Termination::Done)
            terminated.push_back(pid);
        return t;
    }
};
} // namespace

TEST(ChartLinkKiller, StatusCodes)
{
    FakeTable table;
    table.processes = {
        {1, "bash"}, {7, "Unknown"}, {12, "Vantrel-Chartbook"}, {30, "vantrel-chartbook"}};
    InstanceKiller killer(table);
    EXPECT_EQ(killer.killOne(""), 632);
    EXPECT_EQ(killer.killOne(std::string(261, 'x')), 632);
    EXPECT_EQ(killer.killOne("sleep"), 603);
    EXPECT_EQ(killer.killAll("VANTREL-CHARTBOOK"), 603)
        << "each process once, though the list still shows it";
    EXPECT_EQ(table.terminated, (std::vector<long>{12, 30}));

    FakeTable refusing;
    refusing.processes = {{5, "vantrel-chartbook"}, {6, "vantrel-chartbook"}};
    refusing.outcome = {{5, ProcessTable::Termination::OpenFailed}};
    EXPECT_EQ(InstanceKiller(refusing).killAll("vantrel-chartbook"), 604);
    refusing.outcome = {{5, ProcessTable::Termination::Failed}};
    EXPECT_EQ(InstanceKiller(refusing).killOne("vantrel-chartbook"), 602);
    refusing.readable = false;
    EXPECT_EQ(InstanceKiller(refusing).killOne("vantrel-chartbook"), 701);
}
