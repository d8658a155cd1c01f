#include "eodsource.h"

#include "indiatime.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// Files appear in the evening; until then a day's 404 is asked again after this.
constexpr std::chrono::minutes recheckAfter{30};
constexpr int daysBack = 10;
constexpr std::size_t maxFileBytes = 16 * 1024 * 1024;

std::optional<std::string> readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Written aside, then renamed, so a half-written file never passes for the day's.
bool writeFile(const std::filesystem::path &path, const std::string &body)
{
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    const std::filesystem::path aside = path.string() + ".part";
    {
        std::ofstream out(aside, std::ios::binary | std::ios::trunc);
        if (!out.write(body.data(), static_cast<std::streamsize>(body.size())))
            return false;
    }
    std::filesystem::rename(aside, path, error);
    return !error;
}

bool better(const BhavRow &candidate, const BhavRow &kept)
{
    return candidate.series == "EQ" && kept.series != "EQ";
}

} // namespace

EodSource::EodSource(std::string nseBaseUrl, std::string bseBaseUrl, std::string dataRoot,
                     std::shared_ptr<HostGate> gate, std::shared_ptr<const MarketCalendar> calendar,
                     std::chrono::milliseconds timeLimit)
    : m_nseBaseUrl(std::move(nseBaseUrl)), m_bseBaseUrl(std::move(bseBaseUrl)),
      m_folder((std::filesystem::path(dataRoot) / "LiveEOD").string()),
      m_http("end-of-day", std::move(gate), maxFileBytes, timeLimit),
      m_calendar(calendar ? std::move(calendar) : std::make_shared<MarketCalendar>())
{
    m_bse.nse = false;
}

std::string EodSource::fileName(const Exchange &exchange, std::int64_t day) const
{
    return std::string(exchange.nse ? "BhavCopy_NSE_CM_0_0_0_" : "BhavCopy_BSE_CM_0_0_0_") +
           indiatime::compactDate(day) + (exchange.nse ? "_F_0000.csv.zip" : "_F_0000.CSV");
}

std::string EodSource::url(const Exchange &exchange, std::int64_t day) const
{
    return exchange.nse ? m_nseBaseUrl + "/content/cm/" + fileName(exchange, day)
                        : m_bseBaseUrl + "/download/BhavCopy/Equity/" + fileName(exchange, day);
}

bool EodSource::load(Exchange &exchange, const std::string &body, std::string &reason) const
{
    std::string csv;
    if (exchange.nse) {
        const ReadResult unzipped = readSingleFileZip(body, csv);
        if (!unzipped.ok)
            return reason = unzipped.error, false;
    }
    Bhavcopy file;
    const ReadResult read = readBhavcopy(exchange.nse ? csv : body, file);
    if (!read.ok)
        return reason = read.error, false;
    exchange.day = file.day;
    exchange.rows.clear();
    for (BhavRow &row : file.rows) {
        if (row.type != "STK" || !row.close)
            continue;
        const std::string key = exchange.nse ? row.symbol : row.instrument;
        const auto it = exchange.rows.find(key);
        if (it == exchange.rows.end() || better(row, it->second))
            exchange.rows[key] = std::move(row);
    }
    return true;
}

void EodSource::keep(const Exchange &exchange, const std::string &body) const
{
    writeFile(std::filesystem::path(m_folder) / fileName(exchange, exchange.day), body);
}

void EodSource::refresh(Exchange &exchange)
{
    const auto now = m_http.gate().now();
    if (exchange.checked && now >= *exchange.checked && now - *exchange.checked < recheckAfter)
        return;
    exchange.checked = now;
    const std::int64_t today = indiatime::indiaDay(
        std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count());
    std::string failure;
    for (std::int64_t day = today; day > today - daysBack; --day) {
        if (!m_calendar->tradingDay(day))
            continue;
        if (exchange.day == day)
            return;
        const std::filesystem::path path =
            std::filesystem::path(m_folder) / fileName(exchange, day);
        std::string reason;
        // A kept file counts only when it holds the day its name says.
        if (const std::optional<std::string> kept = readFile(path)) {
            Exchange trial;
            trial.nse = exchange.nse;
            if (load(trial, *kept, reason) && trial.day == day) {
                exchange.day = trial.day;
                exchange.rows = std::move(trial.rows);
                return;
            }
        }
        // Once the host refused, older days come from the folder alone.
        if (!failure.empty())
            continue;
        const HttpReply http = m_http.get(
            url(exchange, day), {{"Referer", exchange.nse ? "https://www.nseindia.com/"
                                                          : "https://www.bseindia.com/"}});
        if (http.status == 404)
            continue; // a holiday, or not published yet
        if (http.status == 200 && load(exchange, http.body, reason)) {
            // A host may answer a day's name with another day's file: it is kept, and shown,
            // as the day it holds.
            keep(exchange, http.body);
            return;
        }
        failure = !http.error.empty()  ? http.error
                  : http.status != 200 ? "HTTP " + std::to_string(http.status)
                                       : reason;
        m_health.failed(failure);
    }
    // A refusal was noted as it came; without one, ten days with no file is the failure.
    if (exchange.day < 0 && failure.empty())
        m_health.failed("no end-of-day file in ten days");
}

SourceOutcome EodSource::quotes(const std::vector<std::string> &symbols,
                                std::vector<std::optional<LiveQuote>> &out)
{
    out.assign(symbols.size(), std::nullopt);
    std::lock_guard lock(m_mutex);
    const auto now = m_http.gate().now();
    bool any = false;
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        const std::string &symbol = symbols[i];
        const bool nse = symbol.size() > 3 && symbol.ends_with(".NS");
        const bool bse = symbol.size() > 3 && symbol.ends_with(".BO");
        if (!nse && !bse) {
            m_health.unknown(symbol, now);
            continue;
        }
        Exchange &exchange = nse ? m_nse : m_bse;
        refresh(exchange);
        if (exchange.day < 0)
            continue;
        const auto it = exchange.rows.find(symbol.substr(0, symbol.size() - 3));
        if (it == exchange.rows.end()) {
            m_health.unknown(symbol, now);
            continue;
        }
        const BhavRow &row = it->second;
        LiveQuote q;
        q.symbol = symbol;
        q.last = row.close;
        if (row.previousClose)
            q.change = *row.close - *row.previousClose;
        q.open = row.open;
        q.high = row.high;
        q.low = row.low;
        q.volume = row.volume;
        q.date = indiatime::slashDate(exchange.day);
        q.time = "3:30PM";
        q.at = MarketCalendar::closeOf(exchange.day);
        q.closingPrice = true;
        out[i] = q;
        any = true;
    }
    if (any) {
        m_health.succeeded(now);
        return {};
    }
    const SourceStatus s = m_health.status(std::nullopt);
    return {SourceOutcome::Refused, s.lastError.empty() ? NoSymbolKnown : s.lastError};
}

std::string EodSource::label() const
{
    std::lock_guard lock(m_mutex);
    const std::int64_t day = std::max(m_nse.day, m_bse.day);
    return day < 0 ? "END OF DAY" : "END OF DAY " + indiatime::slashDate(day);
}

SourceStatus EodSource::status() const
{
    auto until = m_http.blockedUntil(m_nseBaseUrl);
    if (!until)
        until = m_http.blockedUntil(m_bseBaseUrl);
    return m_health.status(until);
}
