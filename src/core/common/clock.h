#pragma once

// Local wall-clock time, broken down. Market-hours rules and file names read the clock only
// through this, so tests can stand at any moment.
struct LocalTime
{
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;  // 0..23
    int minute = 0;
    int second = 0;
    int weekday = 4; // 0 = Sunday .. 6 = Saturday

    int secondsOfDay() const { return hour * 3600 + minute * 60 + second; }
    bool isWeekday() const { return weekday >= 1 && weekday <= 5; }
};

class Clock
{
public:
    virtual ~Clock() = default;
    virtual LocalTime now() const = 0;
};

// The machine's local clock.
class SystemClock : public Clock
{
public:
    LocalTime now() const override;
};

// A clock that stands still until told otherwise (tests, the simulator's fixed time).
class FixedClock : public Clock
{
public:
    explicit FixedClock(LocalTime t) : m_time(t) {}
    LocalTime now() const override { return m_time; }
    void set(LocalTime t) { m_time = t; }

private:
    LocalTime m_time;
};

// Builds a LocalTime for a calendar date and time, with its weekday worked out.
LocalTime makeLocalTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
