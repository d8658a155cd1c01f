#include "core/chartlink/backfill.h"
#include "core/chartlink/feedtext.h"
#include "core/chartlink/instancekiller.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

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
    for (auto [q, last] : {std::pair(board.quoteTarget(0, "^NSEI"), nifty),
                           std::pair(board.quoteTarget(1, "^BSESN"), sensex)})
        std::tie(q->date, q->time, q->symbol, q->last) =
            std::tuple("12/4/2026", "3:30pm", "^NSEI", last);
}

} // namespace

// The stocks a stand-in charting program (gui chartlink_test) never sends.
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
}

namespace {
class FakeTable : public ProcessTable
{
public:
    static constexpr long Me = 1000;
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
    long user() const override { return Me; }
};
} // namespace

// What real processes (gui chartlink_test) cannot show: a path names one file, and a process
// that cannot be ended does not stop the rest, and the message names it.
TEST(ChartLinkKiller, APathNamesOneFileAndFailuresAreCountedAndNamed)
{
    FakeTable table;
    const long me = FakeTable::Me;
    table.processes = {{30, "/opt/lv/lvchartbook", me}, {31, "/usr/local/bin/lvchartbook", me}};
    EXPECT_EQ(InstanceKiller(table).killOne(""), KillStatus::BadName);
    EXPECT_EQ(InstanceKiller(table).killAll("/usr/local/bin/lvchartbook").ended, 1);
    EXPECT_EQ(table.terminated, (std::vector<long>{31}));

    FakeTable refusing;
    refusing.processes = {
        {5, "/x/lvchartbook", me}, {6, "/x/lvchartbook", me}, {9, "/x/lvchartbook", me}};
    refusing.outcome = {{5, ProcessTable::Termination::OpenFailed},
                        {9, ProcessTable::Termination::Failed}};
    const KillReport report = InstanceKiller(refusing).killAll("lvchartbook");
    const std::string text = killMessage(report, "lvchartbook");
    EXPECT_EQ(text.rfind("Ended 1 running instance of lvchartbook.", 0), 0u) << text;
    EXPECT_NE(text.find("process 5 (it could not be opened)"), std::string::npos) << text;
    EXPECT_NE(text.find("process 9 (terminating it failed)"), std::string::npos) << text;
    EXPECT_EQ(text.find("are closed"), std::string::npos) << text;

    refusing.readable = false;
    const KillReport unreadable = InstanceKiller(refusing).killAll("lvchartbook");
    EXPECT_EQ(unreadable.listing, KillStatus::ListFailed);
    EXPECT_EQ(killMessage(unreadable, "lvchartbook").find("are closed"), std::string::npos);
}

// Each kind asks for its own range, and its reply loses its own header block.
TEST(ChartLinkBackfill, EachKindHasItsRangeAndHeader)
{
    EXPECT_EQ(chartDataPath("^NSEI", BackfillKind::OneMinute),
              "/instrument/1.0/^NSEI/chartdata;type=quote;range=1d/csv/");
    EXPECT_EQ(chartDataPath("TCS.NS", BackfillKind::FiveMinute),
              "/instrument/1.0/TCS.NS/chartdata;type=quote;range=5d/csv/");
    std::vector<std::string> reply;
    for (int i = 0; i < 21; ++i)
        reply.push_back("L" + std::to_string(i));
    EXPECT_EQ(backfillData(reply, BackfillKind::OneMinute), "L14*L15*L16*L17*L18*L19*L20*");
    EXPECT_EQ(backfillData(reply, BackfillKind::FiveMinute), "L19*L20*");
}
