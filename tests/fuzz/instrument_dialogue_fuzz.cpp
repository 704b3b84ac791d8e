// The whole Measure and Calibrate dialogue of each instrument family against
// any reply bytes. The first byte picks the family and the press; the rest,
// cut at each byte 0xFF, are the replies to the commands in turn (then the
// instrument falls silent). Whatever the instrument says, the dialogue ends
// with the port closed, not busy, and the curve either unchanged or read
// whole into finite values; a handoff carries texts of finite numbers.
#include "../instruments/test_doubles.h"
#include "engine/spectral.h"
#include "fuzz_check.h"
#include "instruments/instruments.h"
#include "testing/scripted_serial_port.h"
#include "text/numbers.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tw;

constexpr const char *families[]
    = { "CE7000", "CE7000A", "CE2180", "XTH", "Ci5/Ci7", "Spectrolino", "SpectroEye" };

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    services::FakeClock clock;
    instruments::testing::ThinkingDialogs dialogs { &clock };
    services::ScriptedSerialPort serial { clock };
    instruments::testing::RecordingHost host { dialogs, clock, serial };
    instruments::Instruments dialogue { host };
    int yields = 0;
    dialogs.setOnYield([&] {
        clock.advance(0.05);
        // No wait may outlast its limit: 60 s of clock is far beyond any.
        FUZZ_CHECK(++yields < 1200 * 20);
    });
    host.combo1 = families[data[0] % 7];
    const bool calibrate = (data[0] / 7) % 2 == 1;

    std::string_view rest(reinterpret_cast<const char *>(data) + 1, size - 1);
    while (!rest.empty()) {
        const std::size_t cut = rest.find('\xff');
        serial.answer("", std::string(rest.substr(0, cut)), 0.0, 1);
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    }
    for (int i = 0; i < 4; ++i) {
        dialogs.queueAnswer(services::Answer::Ok);
        dialogs.queueAnswer(services::Answer::Yes);
    }

    engine::Spectrum &curve = dialogue.spectrum();
    for (std::size_t i = 0; i < curve.size(); ++i) {
        curve[i] = 11.5f + static_cast<float>(i);
    }
    const engine::Spectrum before = curve;
    if (calibrate) {
        dialogue.Command7_Click();
    } else {
        dialogue.Command8_Click();
    }
    FUZZ_CHECK(!serial.portOpen());
    FUZZ_CHECK(!dialogue.busy());
    if (curve != before) {
        for (const float v : curve) {
            FUZZ_CHECK(std::isfinite(v));
        }
    }
    for (const auto &xyz : host.handoffs) {
        for (const std::string &t : xyz) {
            double v = 0.0;
            FUZZ_CHECK(text::parseNumber(t, v) && std::isfinite(v));
        }
    }
    return 0;
}
