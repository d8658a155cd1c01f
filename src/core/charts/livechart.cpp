#include "core/charts/livechart.h"

#include "core/watch/logstamps.h"

LiveChart::LiveChart(std::string dataRoot) : m_root(std::move(dataRoot)) {}

LiveChart::~LiveChart() = default;

std::string LiveChart::intradayPath(const LocalTime &t, const std::string &name) const
{
    return m_root + "/IntraDay/" + logstamp::dateFolder(t) + "/" + name + ".txt";
}

bool LiveChart::reload(std::unique_ptr<History> &history, const std::string &path,
                       LiveSeries &series)
{
    // Another stock or a new day starts from nothing; the same file goes on where it stopped.
    if (!history || history->file.path() != path)
        history = std::make_unique<History>(History{GrowingFile(path), {}});
    std::vector<std::string> lines;
    const auto status =
        history->file.poll([&lines](std::string_view line) { lines.emplace_back(line); });
    if (status == GrowingFile::Status::Missing)
        return false;
    // Points from before the file was replaced are not the file's any more.
    if (status == GrowingFile::Status::Restarted)
        history->points.reset();
    for (const std::string &line : lines)
        history->points.add(line);
    series = history->points;
    return true;
}

std::string LiveChart::load(const std::string &symbol, const LocalTime &today)
{
    ++m_epoch;
    if (symbol != m_symbol)
        m_stockHistory.reset();
    m_symbol = symbol;
    if (!reload(m_stockHistory, intradayPath(today, symbol), m_stock) ||
        !reload(m_niftyHistory, intradayPath(today, "NIFTY"), m_nifty))
        return IntradayMissing;
    return {};
}

std::string LiveChart::readSnapshot()
{
    std::string content;
    if (!readWholeLines(livePath(), content))
        return LiveMissing;
    std::string_view rest(content);
    const auto nextLine = [&rest] {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        return line;
    };
    if (rest.empty())
        return {};
    // NIFTY leads when its line was written; a snapshot without it starts with the stocks.
    const std::string prefix = m_symbol + ",";
    for (bool first = true; !rest.empty(); first = false) {
        const std::string_view line = nextLine();
        if (first && line.find("NIFTY") != std::string_view::npos) {
            addPoint(m_nifty, line);
        } else if (!m_symbol.empty() && line.starts_with(prefix)) {
            // The line that names the stock in its first field: a longer symbol that merely
            // contains it is another stock.
            addPoint(m_stock, line);
            break;
        }
    }
    return {};
}

void LiveChart::addPoint(LiveSeries &series, std::string_view line)
{
    const std::size_t before = series.points().size();
    // A full series lets its oldest point go: what was drawn no longer begins the rows.
    if (series.add(line) && series.points().size() == before)
        ++m_epoch;
}

LiveRowsFeed::Update LiveRowsFeed::next(const LiveChart &chart)
{
    Update update;
    std::vector<LiveChart::Row> rows = chart.rows();
    update.whole = !m_started || chart.epoch() != m_epoch || rows.size() < m_rows;
    if (update.whole) {
        m_started = true;
        m_epoch = chart.epoch();
        m_rows = m_nifty = 0;
    }
    // Both series only grow at their ends, so a NIFTY price that joins an earlier row has a
    // later time than every price already drawn: the NIFTY line grows at its end too.
    std::size_t niftyCount = 0;
    for (const LiveChart::Row &r : rows)
        if (r.nifty && niftyCount++ >= m_nifty)
            update.nifty.emplace_back(r.seconds, *r.nifty);
    m_nifty = niftyCount;
    update.rows.assign(rows.begin() + std::ptrdiff_t(m_rows), rows.end());
    m_rows = rows.size();
    return update;
}

std::vector<LiveChart::Row> LiveChart::rows() const
{
    std::vector<Row> out;
    out.reserve(m_stock.points().size());
    // Both series run forward in time, so one walk finds each time's first NIFTY point.
    const auto &nifty = m_nifty.points();
    auto n = nifty.begin();
    for (const LivePoint &p : m_stock.points()) {
        while (n != nifty.end() && n->seconds < p.seconds)
            ++n;
        std::optional<double> niftyPrice;
        if (n != nifty.end() && n->time == p.time)
            niftyPrice = n->value;
        out.push_back(Row{p.seconds, p.value, niftyPrice, p.volumeValue});
    }
    return out;
}

LiveChart::Scale LiveChart::scaleOf(const LiveSeries &s, double margin)
{
    const double span = (s.maximum() - s.minimum()) * margin;
    return Scale{s.minimum() - span, s.maximum() + span};
}
