// Measure: one reflectance curve from the instrument (or a file) into
// `spectrum`, then `handoff`: tris gives X, Y, Z, which the screen shows and
// converts as if they had been typed.
//
// Each reply is parsed into a copy of the spectrum, and the copy is kept
// only when every value was read: a short or damaged record never leaves a
// half-new curve behind. A failed measurement, whether the instrument
// reports it ("Calibrate Instrument", "Instrument Uncalibrated") or its
// reply is no reading ("error in Measurement"), hands nothing to the screen:
// the previous curve's colour shown again would pass for this sample's.
//
// Time limits: CE pings 5 s; XTH wake-up 2 s per call, its record 5 s from
// the command; Ci5/Ci7 wake-up and mode 2 s, measurement 10 s; Spectrolino
// 5 s per command. Byte-count waits and the XTH's wait for its first byte,
// unbounded on the instruments' side, are bounded here (kCountLimit).
#include "instruments/instruments.h"

#include "instruments/reflectance_file.h"
#include "instruments/reply_layouts.h"
#include "text/textfile.h"

#include <cmath>

namespace tw::instruments {

namespace {

// A curve whose every value a float holds can still be too large for its
// colour (the weighted sum overflows): such a curve is no reading either,
// and is refused like a damaged record rather than shown as "Inf".
bool hasAColour(const engine::Spectrum &curve) {
    float X = 0;
    float Y = 0;
    float Z = 0;
    engine::tris(curve, X, Y, Z);
    return std::isfinite(X) && std::isfinite(Y) && std::isfinite(Z);
}

} // namespace

void Instruments::measure(const std::string &name) {
    if (name == "Import") {
        importSpectrum();
        return;
    }
    const auto profile = profileFor(name);
    if (!profile && name == "Instrument") {
        // No instrument chosen: show the colour of the curve held now.
        SerialLink link = makeLink();
        handoff(&link);
        return;
    }
    SerialLink link = makeLink();
    if (!openNamed(link, name, profile)) {
        return;
    }
    (this->*dialoguesOf(profile->family).measure)(link);
}

void Instruments::takeReading(SerialLink &link, const std::string &reply,
    bool (*parse)(std::string_view, engine::Spectrum &)) {
    engine::Spectrum read = spectrum_;
    if (!parse(reply, read) || !hasAColour(read)) {
        link.close();
        message("error in Measurement");
        return;
    }
    spectrum_ = read;
    handoff(&link);
}

bool Instruments::measureStatusCE(
    SerialLink &link, const InstrumentProfile &profile, int statusLength, std::string &reply) {
    link.commsend("M");
    if (failed(link.waitcount(statusLength, reply), profile, link)) {
        return false;
    }
    if (!statusGood(reply)) {
        link.close();
        message("Calibrate Instrument");
        return false;
    }
    return true;
}

struct Instruments::CeMeasurement {
    const char *name; // in the instrument list
    const char *ping; // the bare ping command
    const char *pingPrompt; // what ends its answer
    int statusLength; // bytes of the status record
    Wait (*readData)(SerialLink &link, std::string &reply); // the data block
    bool (*parse)(std::string_view, engine::Spectrum &);
};

void Instruments::measureCE(SerialLink &link, const CeMeasurement &family) {
    const auto profile = *profileFor(family.name);
    if (!pingCE(link, profile, family.ping, family.pingPrompt)) {
        return;
    }
    std::string reply;
    if (!measureStatusCE(link, profile, family.statusLength, reply)) {
        return;
    }
    if (failed(family.readData(link, reply), profile, link)) {
        return;
    }
    takeReading(link, reply, family.parse);
}

void Instruments::measureCE7000(SerialLink &link) {
    // The data block follows the status in the same reply.
    static const CeMeasurement ce7000 { "CE7000", "R", ">", 19,
        [](SerialLink &l, std::string &reply) { return l.readLength(reply, 422); }, parseCE7000 };
    measureCE(link, ce7000);
}

void Instruments::measureCE2180(SerialLink &link) {
    // The data block follows the status once the measurement is done; it is
    // counted from its own first character.
    static const CeMeasurement ce2180 { "CE2180", "v", "\n", 18,
        [](SerialLink &l, std::string &reply) { return l.waitcount(290, reply); }, parseCE2180 };
    measureCE(link, ce2180);
}

void Instruments::measureXTH(SerialLink &link) {
    const auto profile = *profileFor("XTH");
    if (!wakeXTH(link, profile, "XTH Sleeping")) {
        return;
    }

    const double start = link.now();
    link.commsend("M 8");
    std::string reply;
    if (failed(link.waitForData(kCountLimit, start), profile, link)) {
        return;
    }
    const Wait wait = link.readuntil(reply, ">", 5, start);
    if (wait == Wait::Abandoned) {
        (void)failed(wait, profile, link);
        return;
    }
    engine::Spectrum read = spectrum_;
    if (wait == Wait::TimedOut) {
        link.close();
        message("error in Measurement");
    } else if (!statusGood(reply)) {
        link.close();
        message("Instrument Uncalibrated");
    } else if (parseXTH(reply, read) && hasAColour(read)) {
        spectrum_ = read;
        handoff(&link);
    } else {
        // A record that ended before its last value, or held a column that
        // is not a number: as incomplete as one that never ended.
        link.close();
        message("error in Measurement");
    }
}

void Instruments::measureCi(SerialLink &link) {
    const auto profile = *profileFor("Ci5/Ci7");
    if (!wakeCi(link, profile, WakeupPlan { 'i', true, 2, {} })) {
        return;
    }

    std::string reply;
    if (!ciConfigured_) {
        if (!configureCi(link, profile, reply)) {
            return;
        }
        ciConfigured_ = true;
    }

    host_.dialogs().yield();
    if (!exchangeCi(link, profile, "measure", 10, reply)) {
        return;
    }
    takeReading(link, reply, parseCi);
}

void Instruments::measureSpectrolino(SerialLink &link) {
    const auto profile = *profileFor("Spectrolino");
    double start = link.now();
    link.commsend("; 32");
    std::string reply;
    Wait wait = link.readuntil(reply, "\r\n", 5, start);
    if (wait == Wait::TimedOut) {
        message("SpectroEye not responding - Settings serial 9600 handshake=No");
        link.close();
        return;
    }
    if (failed(wait, profile, link)) {
        return;
    }
    host_.showMessage(reply);

    start = link.now();
    link.commsend("; 184 9 0");
    reply.clear();
    wait = link.readuntil(reply, "\r\n", 5, start);
    engine::Spectrum read = spectrum_;
    if (wait == Wait::Done && parseSpectrolino(reply, read) && hasAColour(read)) {
        spectrum_ = read;
        handoff(&link);
        return;
    }
    if (wait == Wait::Abandoned) {
        (void)failed(wait, profile, link);
        return;
    }
    // No record, or one too short or damaged to read: the instrument's own
    // text tells the user why.
    message("SpectroEye data not returned - message=" + reply);
    link.close();
}

void Instruments::importSpectrum() {
    const std::string path = host_.dialogs().openFile({}, {}, "*.txt|*.txt");
    if (path.empty()) {
        return; // the dialog was cancelled
    }
    std::string contents;
    std::string error;
    if (!text::readFile(path, contents, error)) {
        message("File not found");
        return;
    }
    engine::Spectrum read = spectrum_;
    if (!readSpectrumText(contents, read) || !hasAColour(read)) {
        message("file import format error");
        return;
    }
    spectrum_ = read;
    handoff(nullptr);
}

} // namespace tw::instruments
