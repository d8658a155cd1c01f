#pragma once

#include "core/net/quoterecord.h"
#include "core/store/storerows.h"
#include "core/toppers/toppersfilters.h"
#include "core/toppers/toppersrow.h"
#include "core/toppers/toppersstatus.h"

#include <string>
#include <string_view>
#include <vector>

// One request of a sweep: companies first .. last of the scan, both included.
struct ToppersBatch
{
    int first = 0;
    int last = 0;
    bool operator==(const ToppersBatch &) const = default;
};

inline constexpr std::string_view ToppersFields = "sl1d1t1c1ohgv";
inline constexpr std::string_view QuotesPath = "/d/quotes.csv";
// The live gateway's whole-exchange closes: the same lines, from the end-of-day files alone.
inline constexpr std::string_view ClosesPath = "/gateway/closes.csv";

// Consecutive batches of 150 (NSE) or 200 (BSE) companies over count companies; the last
// holds what remains. None for no companies.
std::vector<ToppersBatch> cutToppersBatches(int count, Exchange exchange);

// A whole-exchange sweep: the companies of one exchange by name, a quote for each, and the
// batches still out. Reply lines land on their batch's companies by position; a batch that
// fails, runs short or sends junk leaves its companies without a price, so they are not
// listed, and lines beyond a batch's end are dropped.
class ToppersScan
{
public:
    static constexpr const char *NothingToFetch =
        "No companies are listed on this exchange:\nthere is nothing to fetch";

    // A new sweep over these companies: every quote cleared, the batches to send returned.
    std::vector<ToppersBatch> start(Exchange exchange, const std::vector<CompanyRow> &listed);
    std::string batchUrl(std::string_view baseUrl, const ToppersBatch &batch,
                         std::string_view path = QuotesPath) const;
    // Where the sweep's prices came from, when the service said: the first origin told.
    void noteOrigins(const std::vector<QuoteOrigin> &origins);
    const QuoteOrigin &origin() const { return m_origin; }
    // One batch is in: its lines and their origins, or the reason its request failed; true
    // when it was the last one.
    bool batchDone(const ToppersBatch &batch, const std::vector<std::string> &lines,
                   const std::vector<QuoteOrigin> &origins = {});
    bool batchFailed(const ToppersBatch &batch, const std::string &reason);
    // How the sweep went so far: the status and message of a finished sweep come from it.
    ToppersOutcome outcome() const;

    bool running() const { return m_finished < m_started; }
    Exchange exchange() const { return m_exchange; }
    int count() const { return static_cast<int>(m_symbols.size()); }
    const QuoteRecord &quote(int i) const { return m_quotes[static_cast<std::size_t>(i)]; }

    // The list: the companies the filters pass, in name order.
    std::vector<ToppersRow> rows(const ToppersFilters &filters) const;

private:
    Exchange m_exchange = Exchange::Nse;
    std::vector<std::string> m_names;
    std::vector<std::string> m_symbols;
    std::vector<QuoteRecord> m_quotes;
    int m_started = 0;
    int m_finished = 0;
    int m_failed = 0;
    std::string m_failure;
    QuoteOrigin m_origin;
};
