// The operations every instrument dialogue shares: opening the port with a
// profile, sending commands, and the ways of waiting for a reply, all timed on
// the seconds-since-midnight clock.
//
// Every wait is a loop that reads the port, checks its end condition, then
// its time limit, then whether the user asked to abandon, and otherwise lets
// pending window events run (so the window stays responsive and the user can
// ask to abandon). Elapsed time is the difference of two clock readings; a
// negative difference has 86400 added, so a wait across midnight counts
// correctly.
#pragma once

#include "instruments/profiles.h"
#include "services/clock.h"
#include "services/dialogs.h"
#include "services/serial/serial_port.h"

#include <functional>
#include <limits>
#include <string>
#include <string_view>

namespace tw::instruments {

enum class Wait { Done, TimedOut, Abandoned };

// The limits this program sets on waits that an instrument's silence could
// otherwise make endless: a byte-count wait, and the number of wake-up calls
// to a sleeping instrument.
inline constexpr double kCountLimit = 10;
inline constexpr int kWakeAttempts = 15;

struct WakeupPlan {
    char letter; // the reply must begin with it ("X", "i")
    bool lowerFirst; // lower the reply's first character before comparing
    double limit; // seconds per attempt
    // Called after an attempt that exceeded the limit: true tries again.
    std::function<bool()> onTimeout = {};
    // Called after every read with the reply text so far.
    std::function<void(const std::string &)> afterRead = {};
    // An attempt that took longer than this ends the wake-up as Stopped,
    // even when it was answered.
    double slowAttempt = std::numeric_limits<double>::infinity();
    int maxAttempts = kWakeAttempts;
};

enum class Wake { Awake, Stopped, GaveUp, Abandoned };

class SerialLink {
public:
    // `abandon` is read on every pass of every wait; the dialogue owner sets
    // it when the user asks to stop.
    SerialLink(services::SerialPort &port, const services::Clock &clock, services::Dialogs &events,
        const bool &abandon);

    // Sets the profile's properties in the profile family's order and opens
    // the port; false when it cannot be opened (port().openError() says why).
    [[nodiscard]] bool commopen(const InstrumentProfile &profile, int commPort);
    // The text with the profile's ending. Whatever is still waiting from
    // before (the late end of a reply whose wait ran out) is dropped first,
    // so it is never taken for the reply to this command.
    void commsend(std::string_view text);
    // The text alone, whatever the profile (the CE-7000 family's first ping);
    // drops what is waiting as commsend does.
    void sendBare(std::string_view text);
    // Closes the port if it is open.
    void close();

    [[nodiscard]] double now() const;
    [[nodiscard]] double elapsed(double start) const;

    // Appends every read to `reply` until it ends with `terminator`, or more
    // than `limit` seconds have passed since `start`.
    Wait readuntil(std::string &reply, std::string_view terminator, double limit, double start,
        const std::function<void(const std::string &)> &afterRead = {});
    // Waits until at least `count` bytes are waiting, then reads them all into
    // a fresh `reply`; at most `limit` seconds.
    Wait waitcount(int count, std::string &reply, double limit = kCountLimit);
    // Appends reads to `reply` until it holds at least `length` characters.
    Wait readLength(std::string &reply, std::size_t length, double limit = kCountLimit);
    // Waits until at least one byte is waiting (nothing is read), at most
    // `limit` seconds after `start`.
    Wait waitForData(double limit, double start);
    // Sends "R" with CR until the reply begins with the plan's letter and ends
    // with ">".
    Wake wakeup(const WakeupPlan &plan);

    [[nodiscard]] services::SerialPort &port() { return port_; }

private:
    // The end of a pass that found nothing: Abandoned if asked, else events.
    [[nodiscard]] bool abandoned();

    services::SerialPort &port_;
    const services::Clock &clock_;
    services::Dialogs &events_;
    const bool &abandon_;
    Ending ending_ = Ending::None;
};

// The reply text ends with the terminator.
[[nodiscard]] bool endsWith(std::string_view text, std::string_view terminator);

} // namespace tw::instruments
