// Calibrate: the instrument keeps its own calibration; the program only walks
// the user through the steps, asking for the right tile or aperture before
// each command. Replies are awaited but not interpreted; the XTH and the
// Ci5/Ci7 replies are shown in the Messages box.
//
// Time limits: a CE ping must be answered within 5 s; an XTH wake-up call
// within 2 s (then it is asleep and called again); a Ci5/Ci7 wake-up or mode
// setting within 2 s; an XTH or Ci5/Ci7 calibration within 10 s. The limit
// of a calibration step counts from just before its prompt, so the time the
// user takes to answer counts against it, except for the black/open-port
// step, whose clock starts when the command is sent.
#include "instruments/instruments.h"

namespace tw::instruments {

using services::Answer;
using services::Buttons;

void Instruments::calibrate(const std::string &name) {
    if (name == "Spectrolino" || name == "SpectroEye") {
        message("Follow users manual for Calibration of Spectrolino / SpectroEye");
        return;
    }
    if (name == "Instrument") {
        host_.dialogs().messageBox("No Instrument found - CE-7000 or CE-2180 only", Buttons::Ok, {},
            services::Icon::Critical);
        return;
    }
    if (name == "Import") {
        return; // a spectrum file needs no calibration
    }
    const auto profile = profileFor(name);
    SerialLink link = makeLink();
    if (!openNamed(link, name, profile)) {
        return;
    }
    if (const auto dialogue = dialoguesOf(profile->family).calibrate) {
        (this->*dialogue)(link);
    }
    link.close();
}

bool Instruments::whiteStandardCE(
    SerialLink &link, const InstrumentProfile &profile, int statusLength) {
    const Answer white = host_.dialogs().messageBox("White Standard", Buttons::YesNoCancel);
    if (white == Answer::Cancel) {
        link.close();
        return false;
    }
    if (white == Answer::Yes) {
        link.commsend("C");
        std::string reply;
        return !failed(link.waitcount(statusLength, reply), profile, link);
    }
    return true;
}

bool Instruments::promptedStep(SerialLink &link, const InstrumentProfile &profile,
    const std::string &prompt, const std::string &title, const char *command,
    bool limitIncludesAnswer) {
    const double asked = link.now();
    if (host_.dialogs().messageBox(prompt, Buttons::OkCancel, title) != Answer::Ok) {
        return true;
    }
    const double start = limitIncludesAnswer ? asked : link.now();
    link.commsend(command);
    std::string reply;
    const Wait wait = link.readuntil(reply, ">", 10, start);
    if (wait == Wait::Abandoned) {
        (void)failed(wait, profile, link);
        return false;
    }
    host_.showMessage(reply);
    return true;
}

void Instruments::calibrateCE7000(SerialLink &link) {
    const auto profile = *profileFor("CE7000");
    if (!pingCE(link, profile, "R", ">")) {
        return;
    }
    std::string reply;

    if (host_.dialogs().messageBox("Open Port", Buttons::YesNoCancel) != Answer::Yes) {
        return;
    }
    link.commsend("I");
    if (failed(link.waitcount(19, reply), profile, link)) {
        return;
    }

    (void)whiteStandardCE(link, profile, 19);
}

void Instruments::calibrateCE2180(SerialLink &link) {
    const auto profile = *profileFor("CE2180");
    if (!pingCE(link, profile, "v", "\n")) {
        return;
    }
    std::string reply;

    link.commsend("K");
    if (failed(link.waitcount(18, reply), profile, link)) {
        return;
    }

    if (!whiteStandardCE(link, profile, 18)) {
        return;
    }

    if (host_.dialogs().messageBox("Open Port", Buttons::YesNoCancel) == Answer::Yes) {
        link.commsend("B");
        (void)failed(link.waitcount(18, reply), profile, link);
    }
}

void Instruments::calibrateXTH(SerialLink &link) {
    const auto profile = *profileFor("XTH");
    if (!wakeXTH(link, profile, "XT Sleeping")) {
        return;
    }

    // The white step's limit includes the time the user takes to answer.
    if (promptedStep(link, profile, "White Calibration", "XT Calibration", "C", true)) {
        (void)promptedStep(link, profile, "Open Port Calibration", "XT Calibration", "B", false);
    }
}

void Instruments::calibrateCi(SerialLink &link) {
    const auto profile = *profileFor("Ci5/Ci7");
    // Each call may wait up to 100 s, but one that took more than 2 s means
    // the instrument is not there.
    WakeupPlan plan { 'i', true, 100, {},
        [this](const std::string &reply) { host_.showMessage(reply); } };
    plan.slowAttempt = 2;
    if (!wakeCi(link, profile, plan)) {
        return;
    }

    // The measuring mode; Measure keeps its own record of having set it.
    std::string reply;
    if (!configureCi(link, profile, reply)) {
        return;
    }

    if (promptedStep(link, profile, "White Ceramic Calibration", "Instrument Calibration",
            "whitecal", true)) {
        (void)promptedStep(
            link, profile, "Black Trap Calibration", "Black Calibration", "blackcal", false);
    }
}

} // namespace tw::instruments
