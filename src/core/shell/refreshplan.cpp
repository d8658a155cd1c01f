#include "core/shell/refreshplan.h"

#include "core/net/quoteparser.h"
#include "core/net/urlencode.h"

namespace {
void appendJoined(std::string &url, const std::vector<std::string> &symbols)
{
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        if (i > 0)
            url.push_back(',');
        url += encodeQueryValue(symbols[i]);
    }
}
} // namespace

void QuoteGroupRegistry::attach(GroupSlot slot, QuoteGroup *group)
{
    entry(slot) = Entry{group, m_nextGeneration++};
}

void QuoteGroupRegistry::detach(GroupSlot slot, const QuoteGroup *group)
{
    if (entry(slot).group == group)
        entry(slot) = Entry{};
}

QuoteGroup *QuoteGroupRegistry::find(GroupSlot slot, unsigned generation) const
{
    const Entry &e = entry(slot);
    return e.generation == generation ? e.group : nullptr;
}

RefreshPlan QuoteGroupRegistry::plan(std::string_view baseUrl) const
{
    RefreshPlan plan;
    plan.url.assign(baseUrl);
    plan.url += "/d/quotes.csv?s=";
    bool first = true;
    for (std::size_t i = 0; i < GroupSlotCount; ++i) {
        const Entry &e = m_entries[i];
        if (!e.group)
            continue;
        PlannedGroup planned{static_cast<GroupSlot>(i), e.generation, e.group->quoteSymbols()};
        // Each group after the first opens with a comma, even when it has no symbols.
        if (!first)
            plan.url.push_back(',');
        first = false;
        appendJoined(plan.url, planned.symbols);
        plan.groups.push_back(std::move(planned));
    }
    plan.url += "&f=";
    plan.url += MainRefreshFields;
    return plan;
}

bool distributeReply(const RefreshPlan &plan, const std::vector<std::string> &lines,
                     const QuoteGroupRegistry &registry, const std::vector<QuoteOrigin> &origins)
{
    std::size_t k = 0;
    for (const PlannedGroup &planned : plan.groups) {
        QuoteGroup *group = registry.find(planned.slot, planned.generation);
        for (std::size_t j = 0; j < planned.symbols.size(); ++j) {
            const std::string &symbol = planned.symbols[j];
            if (symbol.empty())
                continue;
            if (k >= lines.size())
                return false;
            if (group) {
                if (QuoteRecord *target = group->quoteTarget(j, symbol)) {
                    parseQuoteLine(lines[k], *target, quotefields::Full);
                    target->origin = k < origins.size() ? origins[k] : QuoteOrigin{};
                }
            }
            ++k;
        }
        if (group)
            group->quotesArrived();
    }
    return true;
}
