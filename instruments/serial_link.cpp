// Order of the port properties: the CE families set CommPort, Settings, then
// Handshaking 0; the XTH and the Ci5/Ci7 set Handshaking 2 first, then
// CommPort and Settings; the Spectrolino family sets CommPort, Settings,
// Handshaking 0 and then RTSEnable. Some serial drivers apply properties as
// they are set, so the order is kept as the instruments were validated with.
#include "instruments/serial_link.h"

#include <cctype>

namespace tw::instruments {

bool endsWith(std::string_view text, std::string_view terminator) {
    return text.size() >= terminator.size()
        && text.substr(text.size() - terminator.size()) == terminator;
}

SerialLink::SerialLink(services::SerialPort &port, const services::Clock &clock,
    services::Dialogs &events, const bool &abandon)
    : port_(port)
    , clock_(clock)
    , events_(events)
    , abandon_(abandon) { }

bool SerialLink::commopen(const InstrumentProfile &profile, int commPort) {
    ending_ = profile.ending;
    const std::string settings(profile.settings);
    switch (profile.family) {
    case Family::XTH:
    case Family::Ci:
        port_.setHandshaking(profile.handshaking);
        port_.setCommPort(commPort);
        port_.setSettings(settings);
        break;
    case Family::CE7000:
    case Family::CE2180:
    case Family::Spectrolino:
        port_.setCommPort(commPort);
        port_.setSettings(settings);
        port_.setHandshaking(profile.handshaking);
        if (profile.rtsEnable) {
            port_.setRTSEnable(true);
        }
        break;
    }
    return port_.setPortOpen(true);
}

void SerialLink::commsend(std::string_view text) {
    std::string bytes;
    switch (ending_) {
    case Ending::None:
        bytes = text;
        break;
    case Ending::CR:
        bytes = std::string(text) + '\r';
        break;
    case Ending::PreambleCRLF:
        bytes = preamble() + std::string(text) + "\r\n";
        break;
    }
    sendBare(bytes);
}

void SerialLink::sendBare(std::string_view text) {
    (void)port_.input();
    port_.output(text);
}

void SerialLink::close() {
    if (port_.portOpen()) {
        port_.setPortOpen(false);
    }
}

double SerialLink::now() const {
    return clock_.secondsSinceMidnight();
}

double SerialLink::elapsed(double start) const {
    double d = now() - start;
    if (d < 0) {
        d += 86400;
    }
    return d;
}

bool SerialLink::abandoned() {
    if (abandon_) {
        return true;
    }
    events_.yield();
    return abandon_;
}

Wait SerialLink::readuntil(std::string &reply, std::string_view terminator, double limit,
    double start, const std::function<void(const std::string &)> &afterRead) {
    for (;;) {
        reply += port_.input();
        if (afterRead) {
            afterRead(reply);
        }
        if (endsWith(reply, terminator)) {
            return Wait::Done;
        }
        if (elapsed(start) > limit) {
            return Wait::TimedOut;
        }
        if (abandoned()) {
            return Wait::Abandoned;
        }
    }
}

Wait SerialLink::waitcount(int count, std::string &reply, double limit) {
    const double start = now();
    for (;;) {
        if (port_.inBufferCount() >= count) {
            reply = port_.input();
            return Wait::Done;
        }
        if (elapsed(start) > limit) {
            return Wait::TimedOut;
        }
        if (abandoned()) {
            return Wait::Abandoned;
        }
    }
}

Wait SerialLink::readLength(std::string &reply, std::size_t length, double limit) {
    const double start = now();
    for (;;) {
        reply += port_.input();
        if (reply.size() >= length) {
            return Wait::Done;
        }
        if (elapsed(start) > limit) {
            return Wait::TimedOut;
        }
        if (abandoned()) {
            return Wait::Abandoned;
        }
    }
}

Wait SerialLink::waitForData(double limit, double start) {
    for (;;) {
        if (port_.inBufferCount() != 0) {
            return Wait::Done;
        }
        if (elapsed(start) > limit) {
            return Wait::TimedOut;
        }
        if (abandoned()) {
            return Wait::Abandoned;
        }
    }
}

Wake SerialLink::wakeup(const WakeupPlan &plan) {
    for (int attempt = 1;; ++attempt) {
        const double start = now();
        commsend("R");
        std::string reply;
        const Wait wait = readuntil(reply, ">", plan.limit, start, plan.afterRead);
        if (wait == Wait::Abandoned) {
            return Wake::Abandoned;
        }
        if (wait == Wait::TimedOut && !(plan.onTimeout && plan.onTimeout())) {
            return Wake::Stopped;
        }
        if (wait == Wait::Done && elapsed(start) > plan.slowAttempt) {
            return Wake::Stopped;
        }
        if (wait == Wait::Done && !reply.empty()) {
            char first = reply.front();
            if (plan.lowerFirst) {
                first = static_cast<char>(std::tolower(static_cast<unsigned char>(first)));
            }
            if (first == plan.letter) {
                return Wake::Awake;
            }
        }
        if (attempt >= plan.maxAttempts) {
            return Wake::GaveUp;
        }
        if (abandoned()) {
            return Wake::Abandoned;
        }
    }
}

} // namespace tw::instruments
