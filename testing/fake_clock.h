// A clock for tests. It stands still at the time it is set to, unless a step
// is set: then every read of secondsSinceMidnight() returns the time and moves
// it on by the step, so that a loop waiting for a time-out ends after a known
// number of reads. Moving past midnight starts again at 0 and turns the date
// to the next day; timeText() follows the seconds.
#pragma once

#include "services/clock.h"

#include <QDate>

#include <string>

namespace tw::services {

class FakeClock : public Clock {
public:
    // 12:00:00 on 12-08-2026 unless told otherwise.
    FakeClock() = default;

    // Seconds since midnight, 0 <= s < 86400 (wrapped into that range).
    void setSeconds(double seconds);
    void setTime(int hours, int minutes, double seconds);
    void setDate(int year, int month, int day);
    // Moves the clock on, across midnight if need be.
    void advance(double seconds);
    // Seconds added after each read of secondsSinceMidnight(); 0 stands still.
    void setStep(double secondsPerRead) { step_ = secondsPerRead; }

    [[nodiscard]] double secondsSinceMidnight() const override;
    [[nodiscard]] std::string dateText() const override;
    [[nodiscard]] std::string timeText() const override;
    [[nodiscard]] DateTimeText dateTimeText() const override;

    [[nodiscard]] int reads() const { return reads_; }

private:
    void moveOn(double seconds) const;

    mutable double seconds_ = 12 * 3600.0;
    mutable QDate date_ { 2026, 12, 8 };
    double step_ = 0;
    mutable int reads_ = 0;
};

} // namespace tw::services
