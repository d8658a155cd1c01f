#pragma once

#include "core/charts/growingfile.h"
#include "core/charts/livepoints.h"
#include "core/common/clock.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What a live chart window knows, without the window: one NSE stock and NIFTY, each started
// from the day's intraday file and extended by the live snapshot at every tick. It reads the
// files the watch list writes and nothing else.
class LiveChart
{
public:
    static constexpr const char *IntradayMissing =
        "Unable to open IntraDay Data file. Check if Market is Open.\nLive Chart may not work now";
    static constexpr const char *LiveMissing =
        "Unable to open Live Data file. Check if Market is Open.\nLive Chart may not work now";

    enum class Rate { High, Medium, Low };
    static int periodMs(Rate rate)
    {
        return rate == Rate::High ? 10000 : rate == Rate::Low ? 20000 : 15000;
    }

    struct Scale
    {
        double lower;
        double upper;
    };
    // One row of the charts per stock point: NIFTY is the first NIFTY point of the same time.
    struct Row
    {
        int seconds;
        double price;
        std::optional<double> nifty;
        double volume;
    };

    explicit LiveChart(std::string dataRoot);
    ~LiveChart();

    // Both series from the day's intraday files again; the message of what is missing, or "".
    // The files are read on from where the last load of the same day stopped.
    std::string load(const std::string &symbol, const LocalTime &today);
    // One tick: at most one point per series from the snapshot; its message or "".
    std::string readSnapshot();

    const std::string &symbol() const { return m_symbol; }
    const LiveSeries &stock() const { return m_stock; }
    const LiveSeries &nifty() const { return m_nifty; }
    Scale stockScale() const { return scaleOf(m_stock, 0.1); }
    Scale niftyScale() const { return scaleOf(m_nifty, 0.05); }
    std::vector<Row> rows() const;
    // Counts the times the series were started again or lost their oldest points: rows read
    // before a change of it are not a beginning of rows() any more.
    unsigned epoch() const { return m_epoch; }

    std::string intradayPath(const LocalTime &t, const std::string &name) const;
    std::string livePath() const { return m_root + "/LiveData/LiveData.txt"; }

private:
    // A day's file, read as it grows, with the points read so far.
    struct History
    {
        GrowingFile file;
        LiveSeries points;
    };
    bool reload(std::unique_ptr<History> &history, const std::string &path, LiveSeries &series);
    static Scale scaleOf(const LiveSeries &s, double margin);
    void addPoint(LiveSeries &series, std::string_view line);

    std::string m_root;
    std::string m_symbol;
    std::unique_ptr<History> m_stockHistory;
    std::unique_ptr<History> m_niftyHistory;
    LiveSeries m_stock;
    LiveSeries m_nifty;
    unsigned m_epoch = 0;
};

// What a chart lacks of a live chart's rows since it was last handed them: at a tick that only
// added points, the new rows and the new NIFTY prices to append, so the charts are extended
// and not drawn anew; after anything else, all of them.
class LiveRowsFeed
{
public:
    struct Update
    {
        bool whole = false; // the charts start again from these
        std::vector<LiveChart::Row> rows;
        std::vector<std::pair<int, double>> nifty; // (seconds, price), in time order
    };

    Update next(const LiveChart &chart);

private:
    bool m_started = false;
    unsigned m_epoch = 0;
    std::size_t m_rows = 0;
    std::size_t m_nifty = 0;
};
