#pragma once

#include "core/charts/growingfile.h"
#include "core/charts/livepoints.h"
#include "core/common/clock.h"

#include <memory>
#include <optional>
#include <string>
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

    std::string m_root;
    std::string m_symbol;
    std::unique_ptr<History> m_stockHistory;
    std::unique_ptr<History> m_niftyHistory;
    LiveSeries m_stock;
    LiveSeries m_nifty;
};
