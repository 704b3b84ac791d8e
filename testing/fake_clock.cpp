// Test clock: seconds and date kept apart; advancing carries whole days from
// the seconds into the date.
#include "testing/fake_clock.h"

#include <cmath>
#include <cstdio>

namespace tw::services {

namespace {
constexpr double kDay = 86400.0;
}

void FakeClock::setSeconds(double seconds) {
    seconds_ = std::fmod(seconds, kDay);
    if (seconds_ < 0) {
        seconds_ += kDay;
    }
}

void FakeClock::setTime(int hours, int minutes, double seconds) {
    setSeconds(hours * 3600.0 + minutes * 60.0 + seconds);
}

void FakeClock::setDate(int year, int month, int day) {
    date_ = QDate(year, month, day);
}

void FakeClock::moveOn(double seconds) const {
    const double total = seconds_ + seconds;
    const double days = std::floor(total / kDay);
    seconds_ = total - days * kDay;
    if (seconds_ >= kDay) { // rounding at the very end of a day
        seconds_ = 0;
    }
    date_ = date_.addDays(static_cast<qint64>(days));
}

void FakeClock::advance(double seconds) {
    moveOn(seconds);
}

double FakeClock::secondsSinceMidnight() const {
    ++reads_;
    const double now = seconds_;
    if (step_ != 0) {
        moveOn(step_);
    }
    return now;
}

std::string FakeClock::dateText() const {
    return date_.toString(QStringLiteral("MM-dd-yyyy")).toStdString();
}

std::string FakeClock::timeText() const {
    const int whole = static_cast<int>(std::floor(seconds_));
    char buffer[16];
    std::snprintf(
        buffer, sizeof buffer, "%02d:%02d:%02d", whole / 3600, whole / 60 % 60, whole % 60);
    return buffer;
}

DateTimeText FakeClock::dateTimeText() const {
    return { dateText(), timeText() };
}

} // namespace tw::services
