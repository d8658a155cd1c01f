#pragma once

#include <cstdint>

// Which days trade and when the session runs, in simulated local time. Trading days are
// numbered consecutively so a price walk can step from one to the next; the exchanges'
// holidays are not modelled, every Monday to Friday trades.
class TradingCalendar
{
public:
    // The Indian cash session, 09:15 to 15:30, Monday to Friday; or, always open, every
    // calendar day from midnight to midnight.
    explicit TradingCalendar(bool alwaysOpen = false);

    bool alwaysOpen() const { return m_alwaysOpen; }
    int openMinute() const { return m_openMinute; }
    int closeMinute() const { return m_closeMinute; }
    int sessionMinutes() const { return m_closeMinute - m_openMinute; }

    bool isTradingDay(std::int64_t day) const;
    // Trading day number of a day; a non-trading day gets the number of the one before it.
    std::int64_t indexOf(std::int64_t day) const;
    std::int64_t dayAt(std::int64_t index) const;
    std::int64_t firstIndexOnOrAfter(std::int64_t day) const;

    // The latest trading moment at or before a time: its trading day and the seconds into
    // that day's session (the whole session once it has closed).
    struct Moment
    {
        std::int64_t day = 0;
        int sessionSecond = 0;
    };
    Moment momentAt(std::int64_t time) const;

private:
    bool m_alwaysOpen;
    int m_openMinute;
    int m_closeMinute;
};
