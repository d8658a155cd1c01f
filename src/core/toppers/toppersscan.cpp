#include "core/toppers/toppersscan.h"

#include "core/net/quoteparser.h"
#include "core/net/urlencode.h"

#include <algorithm>

std::vector<ToppersBatch> cutToppersBatches(int count, Exchange exchange)
{
    const int size = exchange == Exchange::Nse ? 150 : 200;
    std::vector<ToppersBatch> batches;
    for (int first = 0; first < count; first += size)
        batches.push_back({first, std::min(first + size, count) - 1});
    return batches;
}

std::vector<ToppersBatch> ToppersScan::start(Exchange exchange,
                                             const std::vector<CompanyRow> &listed)
{
    m_exchange = exchange;
    m_names.clear();
    m_symbols.clear();
    for (const CompanyRow &company : listed) {
        m_names.push_back(company.name);
        m_symbols.push_back(company.symbol(exchange));
    }
    // No company has a price until its line brings one.
    QuoteRecord none;
    none.missing = quotefield::Last;
    m_quotes.assign(m_symbols.size(), none);
    std::vector<ToppersBatch> batches = cutToppersBatches(count(), exchange);
    m_started = static_cast<int>(batches.size());
    m_finished = 0;
    m_failed = 0;
    m_failure.clear();
    m_origin = {};
    return batches;
}

std::string ToppersScan::batchUrl(std::string_view baseUrl, const ToppersBatch &batch,
                                  std::string_view path) const
{
    std::string url(baseUrl);
    url += path;
    url += "?s=";
    for (int i = batch.first; i <= batch.last; ++i) {
        if (i > batch.first)
            url.push_back(',');
        url += encodeQueryValue(quoteSymbol(m_exchange, m_symbols[static_cast<std::size_t>(i)]));
    }
    url += "&f=";
    url += ToppersFields;
    return url;
}

bool ToppersScan::batchDone(const ToppersBatch &batch, const std::vector<std::string> &lines,
                            const std::vector<QuoteOrigin> &origins)
{
    const int first = std::max(batch.first, 0);
    const int last = std::min(batch.last, count() - 1);
    for (int i = first; i <= last && static_cast<std::size_t>(i - batch.first) < lines.size();
         ++i) {
        const auto k = static_cast<std::size_t>(i - batch.first);
        QuoteRecord &quote = m_quotes[static_cast<std::size_t>(i)];
        parseQuoteLine(lines[k], quote, quotefields::Short);
        quote.origin = k < origins.size() ? origins[k] : QuoteOrigin{};
    }
    ++m_finished;
    return m_finished == m_started;
}

bool ToppersScan::batchFailed(const ToppersBatch &batch, const std::string &reason)
{
    if (m_failed++ == 0)
        m_failure = reason.empty() ? "no reply" : reason;
    return batchDone(batch, {});
}

void ToppersScan::noteOrigins(const std::vector<QuoteOrigin> &origins)
{
    if (m_origin.kind != QuoteOrigin::Unknown)
        return;
    for (const QuoteOrigin &o : origins)
        if (o.kind != QuoteOrigin::Unknown) {
            m_origin = o;
            return;
        }
}

ToppersOutcome ToppersScan::outcome() const
{
    ToppersOutcome o;
    o.companies = count();
    o.answered =
        static_cast<int>(std::count_if(m_quotes.begin(), m_quotes.end(), [](const QuoteRecord &q) {
            return q.hasPrice() && q.last != 0;
        }));
    o.requests = m_started;
    o.failed = m_failed;
    o.reason = m_failure;
    return o;
}

std::vector<ToppersRow> ToppersScan::rows(const ToppersFilters &filters) const
{
    std::vector<ToppersRow> out;
    for (std::size_t i = 0; i < m_quotes.size(); ++i)
        if (filters.passes(m_quotes[i]))
            out.push_back(makeToppersRow(m_names[i], m_symbols[i], m_quotes[i]));
    return out;
}
