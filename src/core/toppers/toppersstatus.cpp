#include "core/toppers/toppersstatus.h"

#include "core/net/displayformat.h"

namespace toppersstatus {
namespace {
std::string count(int n)
{
    return formatQuantity(n);
}
} // namespace

std::string text(const ToppersOutcome &o)
{
    if (o.complete())
        return Completed;
    return "Data Retrieval Incomplete!!!\n" + count(o.answered) + " of " + count(o.companies) +
           " companies answered\n" + count(o.failed) + " of " + count(o.requests) +
           " requests failed";
}

std::string problem(const ToppersOutcome &o)
{
    if (o.complete())
        return {};
    const std::string missing =
        count(o.companies - o.answered) + " of " + count(o.companies) + " companies are not listed";
    if (o.failed > 0)
        return missing + ": " + count(o.failed) + " of " + count(o.requests) +
               " requests to the quote service failed (" + o.reason + ").";
    return missing + ": the quote service sent no readable price for them.";
}
} // namespace toppersstatus

std::string toppersstatus::sourceLine(const QuoteOrigin &origin)
{
    if (origin.kind == QuoteOrigin::Live)
        return "Prices: live via " + origin.source;
    const std::string tip = quoteOriginTip(origin);
    return tip.empty() ? "Prices: no end-of-day file answered" : "Prices: " + tip;
}
