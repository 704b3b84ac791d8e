// The clock service on the computer's local time.
#pragma once

#include "services/clock.h"

namespace tw::services {

class SystemClock : public Clock {
public:
    [[nodiscard]] double secondsSinceMidnight() const override;
    [[nodiscard]] std::string dateText() const override;
    [[nodiscard]] std::string timeText() const override;
    [[nodiscard]] DateTimeText dateTimeText() const override;
};

} // namespace tw::services
