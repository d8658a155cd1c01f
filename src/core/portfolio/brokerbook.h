#pragma once

#include "core/store/stores.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Messenger;

// The brokers as "Brokers List" and "Configure A Broker" keep them: the table in its stored
// order, so a list position is a table index, and the rules for adding, editing and deleting.
// After every change the table is read again: the list shows exactly what is stored.
class BrokerBook
{
public:
    static constexpr const char *LoadFailedMessage = "Problem in getting Brokers List from DB";
    static constexpr const char *BlankNameMessage = "Broker Name can't be blank";
    // The name column holds 255 characters.
    static constexpr std::size_t MaxNameLength = 255;
    static constexpr const char *LongNameMessage =
        "Broker Name can't be longer than 255 characters";
    static constexpr const char *NothingToEditMessage = "Please select atleast one Broker to edit";
    static constexpr const char *NothingToDeleteMessage =
        "Please select atleast one Broker to delete";
    static constexpr const char *InUseMessage = "SORRY!!! You can't delete this broker as \nthis "
                                                "Broker is already in use in Your Profile List";
    static std::string duplicateMessage(std::string_view name);

    BrokerBook(BrokerStore &store, Messenger &messenger);

    // Reads the table again; a failure shows LoadFailedMessage and leaves it empty.
    bool load();
    const std::vector<BrokerEntry> &brokers() const { return m_brokers; }

    // "Edit": the broker at the list position as "Configure A Broker" opens it; nothing, after
    // the message, when no position is selected.
    std::optional<BrokerEntry> toEdit(int position) const;
    // OK of "Configure A Broker", opened with original (none for a new broker). True once
    // stored; false after a message, and the dialog stays open with what was typed.
    bool save(const std::optional<BrokerEntry> &original, BrokerEntry broker);
    // "Delete", without asking: refused while a lot names the broker.
    bool remove(int position);

private:
    bool holds(int position) const;
    bool failed(const std::string &error);

    BrokerStore &m_store;
    Messenger &m_messenger;
    std::vector<BrokerEntry> m_brokers;
};
