#include "livemarket.h"

#include "liveseries.h"
#include "sources/quotefreshness.h"
#include "statusjson.h"

#include <algorithm>
#include <cstdio>

namespace {
// One batch request's worth: a poll round never holds the bar back longer than that.
constexpr std::size_t symbolsPerRound = 50;

thread_local std::string t_answerLabel;
thread_local std::string t_answerOrigins;

std::string originOf(const LiveQuote &quote, const Freshness &f)
{
    static constexpr const char *kinds[] = {"live", "delayed", "closed", "eod"};
    return std::string(kinds[f.kind]) + ';' + quote.source + ';' +
           std::to_string(quote.at.value_or(0)) + ';' + std::to_string(f.minutes);
}
} // namespace

LiveMarket::LiveMarket(std::vector<std::unique_ptr<LiveSource>> sources)
    : LiveMarket(std::move(sources), Options())
{
}

LiveMarket::LiveMarket(std::vector<std::unique_ptr<LiveSource>> sources, Options options)
    : m_sources(std::move(sources)), m_options(std::move(options)), m_book(m_options.book)
{
    if (!m_options.calendar)
        m_options.calendar = std::make_shared<MarketCalendar>();
    m_poller = std::thread([this] { run(); });
}

LiveMarket::~LiveMarket()
{
    m_book.stop();
    for (const std::unique_ptr<LiveSource> &source : m_sources)
        source->stop();
    m_poller.join();
}

std::int64_t LiveMarket::nowSeconds() const
{
    const auto now = m_options.now ? m_options.now() : std::chrono::system_clock::now();
    return std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
}

void LiveMarket::run()
{
    while (!m_book.stopped()) {
        const std::vector<std::string> due =
            m_book.nextDue(symbolsPerRound, std::chrono::milliseconds(500));
        if (!due.empty())
            pollOnce(due);
    }
}

void LiveMarket::pollOnce(const std::vector<std::string> &due)
{
    std::vector<std::string> pending = due;
    std::string refusals;
    for (const std::unique_ptr<LiveSource> &source : m_sources) {
        if (pending.empty())
            break;
        std::vector<std::optional<LiveQuote>> got;
        const SourceOutcome outcome = source->quotes(pending, got);
        const std::string name = source->status().name;
        if (outcome.kind == SourceOutcome::Refused)
            refusals += (refusals.empty() ? "" : "; ") + name + ": " + outcome.reason;
        std::vector<std::string> still;
        for (std::size_t k = 0; k < pending.size(); ++k) {
            if (k < got.size() && got[k]) {
                LiveQuote quote = *got[k];
                quote.symbol = pending[k];
                quote.source = name;
                m_book.store(quote);
                m_book.markTried(pending[k], {});
            } else {
                still.push_back(pending[k]);
            }
        }
        pending = std::move(still);
    }
    if (m_sources.empty())
        refusals = "no source is configured";
    for (const std::string &symbol : pending)
        m_book.markTried(symbol, refusals);
}

bool LiveMarket::quotes(const std::vector<std::string> &symbols,
                        std::vector<std::optional<QuoteFields>> &out, std::string &reason)
{
    out.assign(symbols.size(), std::nullopt);
    // Symbols not fetched yet, whoever asked first, wait a little for their first fetch.
    m_book.ask(symbols);
    m_book.waitTried(symbols, QuoteBook::Steady::now() + m_options.firstWait);
    std::vector<std::optional<LiveQuote>> kept(symbols.size());
    std::string refused;
    for (std::size_t k = 0; k < symbols.size(); ++k) {
        kept[k] = m_book.quote(symbols[k]);
        if (kept[k]) {
            out[k] = static_cast<const QuoteFields &>(*kept[k]);
            out[k]->symbol = symbols[k];
        } else if (const std::string why = m_book.refusal(symbols[k]); !why.empty()) {
            refused = why;
        } else if (m_book.tried(symbols[k]) && firstTimeUnknown(symbols[k])) {
            std::fprintf(stderr, "vantrel-gateway: no source knows %s\n", symbols[k].c_str());
        }
    }
    const bool none = std::none_of(kept.begin(), kept.end(), [](const auto &q) { return q; });
    if (none && !refused.empty()) {
        reason = refused;
        t_answerLabel = NoSourceLabel;
        t_answerOrigins.clear();
        return false;
    }
    noteAnswer(kept);
    return true;
}

void LiveMarket::noteAnswer(const std::vector<std::optional<LiveQuote>> &quotes)
{
    const std::int64_t now = nowSeconds();
    std::vector<Freshness> freshness;
    std::string origins;
    for (std::size_t k = 0; k < quotes.size(); ++k) {
        if (k > 0)
            origins += ',';
        if (!quotes[k])
            continue;
        freshness.push_back(freshnessOf(*quotes[k], *m_options.calendar, now));
        origins += originOf(*quotes[k], freshness.back());
    }
    t_answerLabel = ::answerLabel(freshness);
    t_answerOrigins = std::move(origins);
}

bool LiveMarket::closes(const std::vector<std::string> &symbols,
                        std::vector<std::optional<QuoteFields>> &out, std::string &reason)
{
    out.assign(symbols.size(), std::nullopt);
    const auto eod = std::find_if(m_sources.begin(), m_sources.end(), [](const auto &source) {
        return source->status().name == "end-of-day";
    });
    std::vector<std::optional<LiveQuote>> got;
    const SourceOutcome outcome =
        eod == m_sources.end()
            ? SourceOutcome{SourceOutcome::Refused, "no end-of-day source is configured"}
            : (*eod)->quotes(symbols, got);
    got.resize(symbols.size());
    // A file that lacks every company of the request still answered: their lines are N/A.
    if (outcome.kind == SourceOutcome::Refused && outcome.reason != NoSymbolKnown) {
        reason = outcome.reason;
        t_answerLabel = NoSourceLabel;
        t_answerOrigins.clear();
        return false;
    }
    for (std::size_t k = 0; k < symbols.size(); ++k) {
        if (!got[k])
            continue;
        got[k]->source = "end-of-day";
        out[k] = static_cast<const QuoteFields &>(*got[k]);
        out[k]->symbol = symbols[k];
    }
    noteAnswer(got);
    return true;
}

std::optional<ChartSubject> LiveMarket::chart(const std::string &symbol, ChartRange range)
{
    int days = 0;
    const BarSpan span = barSpanOf(range, days);
    for (const std::unique_ptr<LiveSource> &source : m_sources) {
        std::vector<Bar> bars;
        if (source->bars(symbol, span, days, bars).kind != SourceOutcome::Answered)
            continue;
        ChartSeries series = seriesFromBars(bars, range);
        if (series.shownCount() == 0)
            continue;
        ChartSubject subject;
        subject.symbol = symbol;
        subject.exchange = symbol.ends_with(".NS") ? "NSE" : symbol.ends_with(".BO") ? "BSE" : "";
        subject.series = std::move(series);
        subject.openMinute = LiveOpenMinute;
        subject.sessionMinutes = LiveSessionMinutes;
        m_book.ask({symbol});
        m_book.waitTried({symbol}, QuoteBook::Steady::now() + m_options.firstWait);
        if (const std::optional<LiveQuote> quote = m_book.quote(symbol);
            quote && quote->last && quote->change)
            subject.previousClose = *quote->last - *quote->change;
        return subject;
    }
    return std::nullopt;
}

bool LiveMarket::firstTimeUnknown(const std::string &symbol)
{
    std::lock_guard lock(m_mutex);
    return m_unknown.insert(symbol).second;
}

std::string LiveMarket::labelOf(const std::vector<std::string> &symbols, bool &any) const
{
    const std::int64_t now = nowSeconds();
    std::vector<Freshness> freshness;
    any = false;
    for (const std::string &symbol : symbols) {
        any = any || m_book.tried(symbol);
        if (const std::optional<LiveQuote> quote = m_book.quote(symbol))
            freshness.push_back(freshnessOf(*quote, *m_options.calendar, now));
    }
    return ::answerLabel(freshness);
}

std::string LiveMarket::label() const
{
    bool tried = false;
    const std::string label = labelOf(m_book.wanted(), tried);
    return label.empty() && tried ? NoSourceLabel : label;
}

std::string LiveMarket::answerLabel() const
{
    return t_answerLabel.empty() ? label() : t_answerLabel;
}

std::string LiveMarket::answerOrigins() const
{
    return t_answerOrigins;
}

std::string LiveMarket::statusJson() const
{
    std::vector<SourceStatus> statuses;
    std::vector<std::string> labels;
    for (const std::unique_ptr<LiveSource> &source : m_sources) {
        statuses.push_back(source->status());
        labels.push_back(source->label());
    }
    std::vector<std::string> unknown;
    {
        std::lock_guard lock(m_mutex);
        unknown.assign(m_unknown.begin(), m_unknown.end());
    }
    return gatewayStatusJson(label(), statuses, labels, unknown);
}
