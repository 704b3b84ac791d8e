// What a simulated instrument answers: bytes from the program go in one at a
// time, and whole replies come out, in the forms the program's dialogues read
// (prompts, status codes and the fixed-column measurement records).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::sim {

enum class Family { CE7000, CE2180, XTH, Ci, Spectrolino };

// "CE7000" (or "CE7000A"), "CE2180", "XTH", "Ci" (or "Ci5/Ci7"),
// "Spectrolino" (or "SpectroEye").
[[nodiscard]] std::optional<Family> familyNamed(std::string_view name);

// Reflectance in percent at 360, 370, ..., 750 nm.
using Curve = std::array<double, 40>;

// A red surface: about 6 % up to 560 nm rising smoothly to about 56 %
// beyond 640 nm.
[[nodiscard]] Curve sampleCurve();
// The numbers of a text: either 40 values, or a name and 40 values (the
// program's spectrum file form), separated by commas or blanks.
[[nodiscard]] std::optional<Curve> curveFromText(std::string_view text);

struct Behaviour {
    bool uncalibrated = false; // until a white calibration
    int asleep = 0; // wake-ups (pings) ignored first
    bool silent = false; // answers nothing at all
    bool garbage = false; // measurement records turn to noise halfway
    bool shortRecords = false; // measurement records stop halfway, then end properly
};

struct Reply {
    std::string text;
    int pauseMs = 0; // time the instrument takes before this reply
    bool record = false; // carries the measured values
};

class InstrumentModel {
public:
    InstrumentModel(Family family, Curve curve, Behaviour behaviour);

    // Takes one byte; returns the replies a complete command calls for.
    [[nodiscard]] std::vector<Reply> receive(char byte);
    // The commands understood so far, for a verbose log.
    [[nodiscard]] const std::vector<std::string> &commands() const { return commands_; }
    // Whether the faults of the behaviour (silent, garbage, short records)
    // act now; on from the start. Sleeping and the calibration state are the
    // instrument's own and do not depend on it.
    void setFaulty(bool faulty) { faulty_ = faulty; }

private:
    std::vector<Reply> command(const std::string &text);
    std::vector<Reply> ce7000(const std::string &text);
    std::vector<Reply> ce2180(const std::string &text);
    std::vector<Reply> xth(const std::string &text);
    std::vector<Reply> ci(const std::string &text);
    std::vector<Reply> spectrolino(const std::string &text);
    // True when a wake-up should go unanswered (the instrument sleeps).
    bool sleeping();
    // A measurement record (ending included) as sent, with the faults that
    // act now: the first `keep` characters (a status) and the ending stay.
    [[nodiscard]] Reply measured(
        std::string record, std::size_t keep, std::string_view ending, int pauseMs) const;

    Family family_;
    Curve curve_;
    Behaviour behaviour_;
    bool calibrated_;
    bool faulty_ = true;
    std::string buffer_;
    int preambleBytes_ = 0;
    std::vector<std::string> commands_;
};

} // namespace tw::sim
