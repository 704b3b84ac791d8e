// The instrument dialogues of the conversion screen: Calibrate
// (Command7_Click) and Measure (Command8_Click), and the state they keep for
// the life of the screen: the reflectance curve `spectrum` (all 0 at start)
// and `ciConfigured`.
//
// Contract:
//  - Each press opens the port, runs one fixed dialogue for the instrument
//    the list names, and leaves the port closed on every path.
//  - A press while a dialogue runs (its waits let window events run) is
//    ignored: one dialogue at a time.
//  - abandon() makes a running dialogue stop at its next wait, close the
//    port and say so in the Messages box; it does nothing when none runs.
//  - spectrum changes only when a reply or file was read completely and
//    every value was a number; failures leave it as it was.
//  - A port that cannot be opened is reported with the port and the reason
//    in a message box; the dialogue then ends.
//  - No exception leaves a click handler.
#pragma once

#include "engine/spectral.h"
#include "instruments/instrument_host.h"
#include "instruments/profiles.h"
#include "instruments/serial_link.h"

#include <optional>
#include <string>
#include <string_view>

namespace tw::instruments {

class Instruments {
public:
    explicit Instruments(InstrumentHost &host);

    void Command7_Click(); // Calibrate
    void Command8_Click(); // Measure
    void abandon();

    [[nodiscard]] bool busy() const { return busy_; }
    [[nodiscard]] const engine::Spectrum &spectrum() const { return spectrum_; }
    [[nodiscard]] engine::Spectrum &spectrum() { return spectrum_; }
    [[nodiscard]] bool ciConfigured() const { return ciConfigured_; }

private:
    // The two dialogues of an instrument family; a family without a
    // calibration dialogue of its own has none (null).
    struct FamilyDialogues {
        void (Instruments::*calibrate)(SerialLink &link);
        void (Instruments::*measure)(SerialLink &link);
    };
    [[nodiscard]] static const FamilyDialogues &dialoguesOf(Family family);

    // Calibration dialogues (calibration.cpp).
    void calibrate(const std::string &name);
    void calibrateCE7000(SerialLink &link);
    void calibrateCE2180(SerialLink &link);
    void calibrateXTH(SerialLink &link);
    void calibrateCi(SerialLink &link);

    // Measurement dialogues (measurement.cpp).
    void measure(const std::string &name);
    // What the two CE families' measurements differ in (measurement.cpp).
    struct CeMeasurement;
    void measureCE(SerialLink &link, const CeMeasurement &family);
    void measureCE7000(SerialLink &link);
    void measureCE2180(SerialLink &link);
    void measureXTH(SerialLink &link);
    void measureCi(SerialLink &link);
    void measureSpectrolino(SerialLink &link);
    void importSpectrum();

    // Opens the port with the profile; reports a failure and returns false.
    bool open(SerialLink &link, const InstrumentProfile &profile);
    // Opens the port for the instrument `name` names, whose profile that is:
    // no profile says that the name is no instrument. False when nothing
    // was opened; either failure is reported.
    bool openNamed(
        SerialLink &link, const std::string &name, const std::optional<InstrumentProfile> &profile);
    // Closes the port (when there is a link), integrates the spectrum and
    // hands X, Y, Z to the screen.
    void handoff(SerialLink *link);
    // Parses a complete reply into the curve (kept as it was when the parse
    // fails, with "error in Measurement"), then hands off.
    void takeReading(SerialLink &link, const std::string &reply,
        bool (*parse)(std::string_view, engine::Spectrum &));
    // Reports a wait that ran out of time or was abandoned, closing the port;
    // false when the wait was Done.
    bool failed(Wait wait, const InstrumentProfile &profile, SerialLink &link);
    // The CE families' opening exchange: the bare ping command, then its
    // prompt within 5 seconds. Reports "<name> not connected" (or the wait's
    // failure) and closes the port; true when the instrument answered.
    bool pingCE(SerialLink &link, const InstrumentProfile &profile, const char *command,
        const char *prompt);
    // The CE families' white-standard prompt: Yes reads the white standard,
    // No goes on without it, Cancel closes the port. False when the
    // dialogue ends here.
    // A calibration step behind an OK/Cancel prompt: OK sends the command
    // and shows whatever the instrument answered within 10 seconds (counted
    // from the prompt when limitIncludesAnswer). False when the user
    // abandoned the wait; the port is then closed.
    bool promptedStep(SerialLink &link, const InstrumentProfile &profile, const std::string &prompt,
        const std::string &title, const char *command, bool limitIncludesAnswer);
    bool whiteStandardCE(SerialLink &link, const InstrumentProfile &profile, int statusLength);
    // The CE families' measure command and its status record. An
    // uncalibrated status says "Calibrate Instrument" and hands off the
    // curve held now. False when the dialogue ends here.
    bool measureStatusCE(
        SerialLink &link, const InstrumentProfile &profile, int statusLength, std::string &reply);
    // Reports a wake-up that gave up or was abandoned, closing the port.
    void reportWakeup(Wake wake, const InstrumentProfile &profile, SerialLink &link);
    // The XTH's wake-up: a call that goes unanswered for 2 seconds shows
    // `sleeping` and calls again; a failure is reported as reportWakeup does
    // and the port is closed. True when the instrument is awake.
    bool wakeXTH(SerialLink &link, const InstrumentProfile &profile, const char *sleeping);
    // The Ci5/Ci7's wake-up with `plan`: one stopped by a slow answer says
    // "Ci5/Ci7 not connected", any other failure is reported as reportWakeup
    // does, and the port is closed. True when the instrument is awake.
    bool wakeCi(SerialLink &link, const InstrumentProfile &profile, const WakeupPlan &plan);
    // One Ci5/Ci7 command and its reply into a fresh `reply`, which must end
    // with the prompt within `limit` seconds of sending: one that does not
    // says "Ci5/Ci7 not connected", an abandoned wait says so, and the port
    // is closed. True when the reply came.
    bool exchangeCi(SerialLink &link, const InstrumentProfile &profile, const char *command,
        double limit, std::string &reply);
    // The Ci5/Ci7's measuring mode (specular component excluded), as
    // exchangeCi.
    bool configureCi(SerialLink &link, const InstrumentProfile &profile, std::string &reply);
    void message(const std::string &text);
    // A name typed into the list that names no instrument: said, nothing
    // else happens (no port is opened, the curve is not shown again).
    void unknownInstrument(const std::string &name);
    SerialLink makeLink();

    InstrumentHost &host_;
    engine::Spectrum spectrum_ {};
    bool ciConfigured_ = false;
    bool busy_ = false;
    bool abandon_ = false;
    bool measuring_ = false;
};

} // namespace tw::instruments
