#pragma once

#include "core/store/companysearch.h"

#include <optional>

// The rules of the "Search Company to Watch" dialog that need no window: the search, when
// the limit edits are enabled, and what OK accepts. The dialog shows and reads the controls.
class WatchSearchForm
{
public:
    static constexpr double LimitMinimum = 0;
    // Ten lakh: the watch list proposes the current price, and stocks trade above 10,000.
    static constexpr double LimitMaximum = 1000000;
    static constexpr const char *LimitRangeMessage = "Please enter a number between 0 and 1000000.";
    static constexpr const char *NoSelectionMessage = "Please select at least one company to add";
    static constexpr const char *ZeroLimitMessage = "Lower Limit or Upper Limit can't be ZERO";
    static constexpr const char *LimitOrderMessage =
        "Lower Limit can't be greater than or equal to Upper Limit";

    WatchSearchForm(CompanyListStore &store, Messenger &messenger);

    CompanySearch &search() { return m_search; }
    const CompanySearch &search() const { return m_search; }

    // "Set Alert": the limit edits follow it; off when the dialog opens.
    void setAlert(bool on) { m_alert = on; }
    bool alert() const { return m_alert; }
    bool limitsEnabled() const { return m_alert; }

    // OK (or a double click): the stock to watch, or nothing after a message when the
    // dialog has to stay open. Without an alert the limits are neither compared nor kept.
    std::optional<WatchRow> accept(int selectedPosition, double lowerLimit, double upperLimit);

    // The field check of both limit edits, here and in the watch list's limits dialog: each
    // from LimitMinimum to LimitMaximum. Shows the range message when one is outside.
    static bool limitsInRange(double lowerLimit, double upperLimit, Messenger &messenger);
    // The alert limits the watch list accepts: both set, lower below upper. Shows what is
    // wrong; the limits dialog of the watch list applies the same rule.
    static bool alertLimitsValid(double lowerLimit, double upperLimit, Messenger &messenger);

private:
    CompanySearch m_search;
    Messenger &m_messenger;
    bool m_alert = false;
};
