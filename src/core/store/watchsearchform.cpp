#include "core/store/watchsearchform.h"

#include "core/common/messenger.h"

WatchSearchForm::WatchSearchForm(CompanyListStore &store, Messenger &messenger)
    : m_search(store, messenger), m_messenger(messenger)
{
}

std::optional<WatchRow> WatchSearchForm::accept(int selectedPosition, double lowerLimit,
                                                double upperLimit)
{
    // The field check comes first, as it does for every edit of the dialog, also disabled ones.
    if (!limitsInRange(lowerLimit, upperLimit, m_messenger))
        return std::nullopt;
    const CompanyRow *row = m_search.rowAt(selectedPosition);
    if (!row) {
        m_messenger.inform(NoSelectionMessage);
        return std::nullopt;
    }
    if (m_alert && !alertLimitsValid(lowerLimit, upperLimit, m_messenger))
        return std::nullopt;

    const Exchange exchange = m_search.exchange();
    WatchRow picked{row->name, std::string(exchangeCode(exchange)), row->symbol(exchange)};
    if (m_alert) {
        picked.alert = 1;
        picked.lowerLimit = lowerLimit;
        picked.upperLimit = upperLimit;
    }
    return picked;
}

bool WatchSearchForm::limitsInRange(double lowerLimit, double upperLimit, Messenger &messenger)
{
    const auto inRange = [](double v) { return v >= LimitMinimum && v <= LimitMaximum; };
    if (inRange(lowerLimit) && inRange(upperLimit))
        return true;
    messenger.inform(LimitRangeMessage);
    return false;
}

bool WatchSearchForm::alertLimitsValid(double lowerLimit, double upperLimit, Messenger &messenger)
{
    if (lowerLimit == 0 || upperLimit == 0) {
        messenger.inform(ZeroLimitMessage);
        return false;
    }
    if (lowerLimit >= upperLimit) {
        messenger.inform(LimitOrderMessage);
        return false;
    }
    return true;
}
