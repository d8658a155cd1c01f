#pragma once

#include "core/shell/quotegroup.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The groups of one refresh request, in request order. Views join and leave at any time;
// a request remembers which groups (and which symbols) it carried so that its reply is handed
// to them and not to whatever happens to be open when it arrives.
enum class GroupSlot { MainBar, WatchList, Portfolio, World, Indices };
inline constexpr std::size_t GroupSlotCount = 5;

struct PlannedGroup
{
    GroupSlot slot = GroupSlot::MainBar;
    unsigned generation = 0;
    std::vector<std::string> symbols;
};

struct RefreshPlan
{
    std::vector<PlannedGroup> groups;
    std::string url;
};

inline constexpr std::string_view MainRefreshFields = "sl1d1t1c1ohgvjk";

class QuoteGroupRegistry
{
public:
    void attach(GroupSlot slot, QuoteGroup *group);
    void detach(GroupSlot slot, const QuoteGroup *group);
    bool has(GroupSlot slot) const { return entry(slot).group != nullptr; }

    // The group that was attached when the plan was made, if it is still there.
    QuoteGroup *find(GroupSlot slot, unsigned generation) const;

    RefreshPlan plan(std::string_view baseUrl) const;

private:
    struct Entry
    {
        QuoteGroup *group = nullptr;
        unsigned generation = 0;
    };
    const Entry &entry(GroupSlot slot) const { return m_entries[static_cast<std::size_t>(slot)]; }
    Entry &entry(GroupSlot slot) { return m_entries[static_cast<std::size_t>(slot)]; }

    std::array<Entry, GroupSlotCount> m_entries{};
    unsigned m_nextGeneration = 1;
};

// Parses the reply lines into the groups of the plan, in order, calling each present group's
// quotesArrived() after its last line. An empty symbol gets no line. Returns false when the
// reply runs short: records parsed up to that point keep their new values, later groups are
// left alone. Each record takes the origin at its line's position, or none.
bool distributeReply(const RefreshPlan &plan, const std::vector<std::string> &lines,
                     const QuoteGroupRegistry &registry,
                     const std::vector<QuoteOrigin> &origins = {});
