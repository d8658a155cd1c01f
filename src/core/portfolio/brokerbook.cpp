#include "core/portfolio/brokerbook.h"

#include "core/common/blanktext.h"
#include "core/common/messenger.h"

#include <algorithm>

std::string BrokerBook::duplicateMessage(std::string_view name)
{
    return "You can't add " + std::string(name) + " as it is already there in Brokers List";
}

BrokerBook::BrokerBook(BrokerStore &store, Messenger &messenger)
    : m_store(store), m_messenger(messenger)
{
}

bool BrokerBook::load()
{
    auto loaded = m_store.loadAll();
    m_brokers = loaded ? std::move(loaded).value() : std::vector<BrokerEntry>{};
    if (!loaded)
        m_messenger.inform(LoadFailedMessage);
    return loaded.ok();
}

bool BrokerBook::holds(int position) const
{
    return position >= 0 && static_cast<std::size_t>(position) < m_brokers.size();
}

bool BrokerBook::failed(const std::string &error)
{
    m_messenger.inform(error);
    return false;
}

std::optional<BrokerEntry> BrokerBook::toEdit(int position) const
{
    if (!holds(position)) {
        m_messenger.inform(NothingToEditMessage);
        return std::nullopt;
    }
    // Of two brokers with one name the first is the one the store rewrites, so it is also
    // the one whose rates the dialog shows.
    return *std::ranges::find(m_brokers, m_brokers[std::size_t(position)].name, &BrokerEntry::name);
}

bool BrokerBook::save(const std::optional<BrokerEntry> &original, BrokerEntry broker)
{
    broker.name = std::string(trimBlanks(broker.name));
    if (broker.name.empty())
        return failed(BlankNameMessage);
    if (characterCount(broker.name) > MaxNameLength)
        return failed(LongNameMessage);
    if (!original) {
        auto existing = m_store.findByName(broker.name);
        if (!existing)
            return failed(existing.error());
        if (existing.value())
            return failed(duplicateMessage(broker.name));
        if (auto inserted = m_store.insert(broker); !inserted)
            return failed(inserted.error());
    } else if (auto updated = m_store.update(original->id, broker); !updated) {
        return failed(updated.error());
    }
    // A broker that vanished meanwhile is not written again; the list shows it is gone.
    load();
    return true;
}

bool BrokerBook::remove(int position)
{
    if (!holds(position))
        return failed(NothingToDeleteMessage);
    auto removed = m_store.removeUnused(m_brokers[std::size_t(position)].id);
    if (!removed)
        return failed(removed.error());
    if (!removed.value())
        return failed(InUseMessage);
    load();
    return true;
}
