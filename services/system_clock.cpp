// Local time through the C library: one reading of the system clock gives
// the calendar fields of the local day and the fraction of the second.
#include "services/system_clock.h"

#include <chrono>
#include <ctime>

namespace tw::services {

namespace {

struct Reading {
    std::tm local {};
    double fraction = 0.0; // of the current second
};

Reading now() {
    const auto at = std::chrono::system_clock::now();
    const auto whole = std::chrono::floor<std::chrono::seconds>(at);
    const std::time_t t = std::chrono::system_clock::to_time_t(whole);
    Reading r;
    localtime_r(&t, &r.local);
    r.fraction = std::chrono::duration<double>(at - whole).count();
    return r;
}

std::string formatted(const std::tm &local, const char *format) {
    char buffer[32];
    const std::size_t n = std::strftime(buffer, sizeof buffer, format, &local);
    return std::string(buffer, n);
}

} // namespace

double SystemClock::secondsSinceMidnight() const {
    const Reading r = now();
    return r.local.tm_hour * 3600.0 + r.local.tm_min * 60.0 + r.local.tm_sec + r.fraction;
}

std::string SystemClock::dateText() const {
    return formatted(now().local, "%m-%d-%Y");
}

std::string SystemClock::timeText() const {
    return formatted(now().local, "%H:%M:%S");
}

DateTimeText SystemClock::dateTimeText() const {
    const Reading r = now();
    return { formatted(r.local, "%m-%d-%Y"), formatted(r.local, "%H:%M:%S") };
}

} // namespace tw::services
