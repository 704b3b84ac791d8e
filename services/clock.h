// The clock service: seconds since midnight with sub-second resolution, and
// the current date and time as the texts the files carry.
//
// Time-outs and pauses are measured on secondsSinceMidnight(); it falls back
// to 0 at midnight, and callers handle that roll-over themselves.
#pragma once

#include <string>

namespace tw::services {

// The date and the time of one reading of the clock.
struct DateTimeText {
    std::string date; // "MM-DD-YYYY"
    std::string time; // "HH:MM:SS"
};

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since local midnight, 0 <= t < 86400, sub-second resolution.
    [[nodiscard]] virtual double secondsSinceMidnight() const = 0;
    // "MM-DD-YYYY", e.g. "12-08-2026".
    [[nodiscard]] virtual std::string dateText() const = 0;
    // "HH:MM:SS", 24-hour, e.g. "23:59:58".
    [[nodiscard]] virtual std::string timeText() const = 0;
    // Both texts from one reading, so that a reading at midnight never pairs
    // one day's date with the next day's time.
    [[nodiscard]] virtual DateTimeText dateTimeText() const = 0;
};

} // namespace tw::services
