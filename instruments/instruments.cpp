// The click handlers: the one-dialogue-at-a-time guard, the common end step
// `handoff`, and the reports of the failures this program adds to the
// instruments' own (a port that will not open, a wait that ran out, a wait
// the user abandoned).
#include "instruments/instruments.h"

#include "text/numbers.h"
#include "text/patterns.h"

#include <exception>

namespace tw::instruments {

namespace {

// Marks a dialogue as running for as long as it lives, and makes sure the
// port is closed however the dialogue ends.
class DialogueScope {
public:
    DialogueScope(bool &busy, bool &abandon, services::SerialPort &port)
        : busy_(busy)
        , abandon_(abandon)
        , port_(port) {
        busy_ = true;
        abandon_ = false;
    }
    ~DialogueScope() {
        if (port_.portOpen()) {
            port_.setPortOpen(false);
        }
        busy_ = false;
        abandon_ = false;
    }
    DialogueScope(const DialogueScope &) = delete;
    DialogueScope &operator=(const DialogueScope &) = delete;

private:
    bool &busy_;
    bool &abandon_;
    services::SerialPort &port_;
};

} // namespace

const Instruments::FamilyDialogues &Instruments::dialoguesOf(Family family) {
    // In the order of Family. The Spectrolino keeps its calibration to
    // itself: its users follow the instrument's manual.
    static const FamilyDialogues table[] = {
        { &Instruments::calibrateCE7000, &Instruments::measureCE7000 },
        { &Instruments::calibrateCE2180, &Instruments::measureCE2180 },
        { &Instruments::calibrateXTH, &Instruments::measureXTH },
        { &Instruments::calibrateCi, &Instruments::measureCi },
        { nullptr, &Instruments::measureSpectrolino },
    };
    return table[static_cast<std::size_t>(family)];
}

Instruments::Instruments(InstrumentHost &host)
    : host_(host) { }

void Instruments::Command7_Click() {
    if (busy_) {
        return;
    }
    DialogueScope scope(busy_, abandon_, host_.serialPort());
    measuring_ = false;
    try {
        calibrate(host_.instrumentText());
    } catch (const std::exception &e) {
        message(std::string("Calibration failed: ") + e.what());
    } catch (...) {
        message("Calibration failed");
    }
}

void Instruments::Command8_Click() {
    if (busy_) {
        return;
    }
    DialogueScope scope(busy_, abandon_, host_.serialPort());
    measuring_ = true;
    try {
        const std::string name = host_.instrumentText();
        host_.setCurrentInstrument(name);
        measure(name);
    } catch (const std::exception &e) {
        message(std::string("Measurement failed: ") + e.what());
    } catch (...) {
        message("Measurement failed");
    }
}

void Instruments::abandon() {
    if (busy_) {
        abandon_ = true;
    }
}

SerialLink Instruments::makeLink() {
    return SerialLink(host_.serialPort(), host_.clock(), host_.dialogs(), abandon_);
}

void Instruments::unknownInstrument(const std::string &name) {
    host_.dialogs().messageBox("\"" + name
            + "\" is not an instrument this program knows: choose one from the instrument list.",
        services::Buttons::Ok, {}, services::Icon::Warning);
}

void Instruments::message(const std::string &text) {
    host_.dialogs().messageBox(text);
}

bool Instruments::open(SerialLink &link, const InstrumentProfile &profile) {
    const int port = host_.commPort();
    if (link.commopen(profile, port)) {
        return true;
    }
    const std::string why = services::describeOpenFailure(port, link.port().openError());
    link.close();
    host_.dialogs().messageBox(why, services::Buttons::Ok, {}, services::Icon::Critical);
    return false;
}

bool Instruments::openNamed(
    SerialLink &link, const std::string &name, const std::optional<InstrumentProfile> &profile) {
    if (!profile) {
        unknownInstrument(name);
        return false;
    }
    return open(link, *profile);
}

bool Instruments::failed(Wait wait, const InstrumentProfile &profile, SerialLink &link) {
    if (wait == Wait::Done) {
        return false;
    }
    link.close();
    if (wait == Wait::Abandoned) {
        host_.showMessage(measuring_ ? "Measurement abandoned" : "Calibration abandoned");
    } else {
        message(std::string(profile.displayName) + " stopped answering - no reply within "
            + std::to_string(static_cast<int>(kCountLimit)) + " seconds");
    }
    return true;
}

bool Instruments::pingCE(
    SerialLink &link, const InstrumentProfile &profile, const char *command, const char *prompt) {
    link.sendBare(command);
    std::string reply;
    const Wait ping = link.readuntil(reply, prompt, 5, link.now());
    if (ping == Wait::TimedOut) {
        message(std::string(profile.displayName) + " not connected");
        link.close();
        return false;
    }
    return !failed(ping, profile, link);
}

void Instruments::reportWakeup(Wake wake, const InstrumentProfile &profile, SerialLink &link) {
    link.close();
    if (wake == Wake::Abandoned) {
        host_.showMessage(measuring_ ? "Measurement abandoned" : "Calibration abandoned");
    } else if (wake == Wake::GaveUp) {
        message(std::string(profile.displayName) + " not answering - gave up after "
            + std::to_string(kWakeAttempts) + " wake-up calls");
    }
}

bool Instruments::wakeXTH(
    SerialLink &link, const InstrumentProfile &profile, const char *sleeping) {
    WakeupPlan plan { 'X', false, 2, [this, sleeping] {
                         host_.showMessage(sleeping);
                         return true;
                     } };
    const Wake wake = link.wakeup(plan);
    if (wake != Wake::Awake) {
        reportWakeup(wake, profile, link);
        return false;
    }
    return true;
}

bool Instruments::wakeCi(
    SerialLink &link, const InstrumentProfile &profile, const WakeupPlan &plan) {
    const Wake wake = link.wakeup(plan);
    if (wake == Wake::Stopped) {
        host_.showMessage("Ci5/Ci7 not connected");
        link.close();
        return false;
    }
    if (wake != Wake::Awake) {
        reportWakeup(wake, profile, link);
        return false;
    }
    return true;
}

bool Instruments::exchangeCi(SerialLink &link, const InstrumentProfile &profile,
    const char *command, double limit, std::string &reply) {
    const double start = link.now();
    link.commsend(command);
    reply.clear();
    const Wait wait = link.readuntil(reply, ">", limit, start);
    if (wait == Wait::TimedOut) {
        host_.showMessage("Ci5/Ci7 not connected");
        link.close();
        return false;
    }
    return !failed(wait, profile, link);
}

bool Instruments::configureCi(
    SerialLink &link, const InstrumentProfile &profile, std::string &reply) {
    return exchangeCi(link, profile, "config -mode=sce", 2, reply);
}

void Instruments::handoff(SerialLink *link) {
    if (link) {
        link->close();
    }
    float X = 0;
    float Y = 0;
    float Z = 0;
    engine::tris(spectrum_, X, Y, Z);
    host_.handoff({ text::formatPattern(X, text::patterns::twoDecimals),
        text::formatPattern(Y, text::patterns::twoDecimals),
        text::formatPattern(Z, text::patterns::twoDecimals) });
}

} // namespace tw::instruments
