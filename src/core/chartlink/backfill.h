#pragma once

#include "core/watch/watchrow.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace chartlink {

enum class BackfillKind { OneMinute, FiveMinute };

// One entry of the backfill sequence: the name the charting program files the bars under
// and the symbol the chart-data service knows.
struct BackfillTarget
{
    std::string name;
    std::string chartSymbol;
};

// Position 0 is NIFTY, 1 SENSEX, 2 + i the list's stock i; a BSE stock has no bars to load.
std::optional<BackfillTarget> backfillTarget(std::size_t position,
                                             const std::vector<WatchedStock> &stocks);

// The chart-data service's path for one symbol and kind.
std::string chartDataPath(const std::string &chartSymbol, BackfillKind kind);

// The reply's bar lines without the header block (14 lines for 1-minute bars, 19 for
// 5-minute bars), each followed by "*".
std::string backfillData(const std::vector<std::string> &replyLines, BackfillKind kind);

// Where a backfill run stands, kept between runs so that a stopped run can be resumed.
class BackfillRun
{
public:
    // A start of either kind; the other kind than last time begins again at NIFTY.
    void start(BackfillKind kind, std::size_t length);
    BackfillKind kind() const { return m_kind; }
    std::size_t position() const { return m_position; }
    std::size_t length() const { return m_length; }
    bool running() const { return m_running; }
    bool done() const { return m_position >= m_length; }
    // The percentage the bar shows while the current position is handled.
    int progress() const { return static_cast<int>(m_position * 100 / m_length) + 1; }

    // The current entry's bars are handed over (or it is skipped): on to the next. A stock
    // still being downloaded when the run stops is thus the first one a resumed run loads.
    void advance() { ++m_position; }
    // "STOP BackFill": the step under way ends the run.
    void stop() { m_running = false; }
    // The run has ended: done (back to NIFTY) or stopped (position kept).
    void finish();
    // Synchronize, Delete All, START and STOP begin any later run at NIFTY.
    void rewind() { m_position = 0; }

private:
    BackfillKind m_kind = BackfillKind::OneMinute;
    std::size_t m_position = 0;
    std::size_t m_length = 0;
    bool m_running = false;
};

} // namespace chartlink
