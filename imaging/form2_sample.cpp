// Sampling under the mouse: the block around the point is read and shown
// inverted (every colour bit flipped) for 0.2 s so the user sees what was
// averaged, then flipped back, which restores each pixel exactly. The
// average goes to the conversion screen as R, G, B and is converted there.
//
// Only the pixels inside the picture count: a block at the picture's edge is
// the average of its pixels in the picture, not of the picture mixed with the
// empty background beyond it.
//
// The busy flag covers the whole sample, whose yields let further mouse
// events in: continuous sampling skips the moves that arrive meanwhile, a
// second click waits for the first, and no picture load or palette build can
// start while a block is shown inverted. It is cleared at the end of every
// sample, converted or not, so a white or black block cannot leave the
// window deaf to the mouse.
#include "imaging/form2.h"

#include "imaging/block_average.h"
#include "imaging/texts.h"
#include "screen/screen_host.h"
#include "services/clock.h"
#include "services/dialogs.h"
#include "text/numbers.h"
#include "ui/drawing_surface.h"
#include "ui/scoped_flag.h"
#include "ui/textbox.h"

#include <chrono>
#include <cmath>
#include <thread>

namespace tw::imaging {

bool Form2::SampleAt(float x, float y) {
    if (!Picture1->hasPicture()) {
        return false;
    }
    ui::ScopedFlag guard(busy_);
    const int h = halfSize_;
    const int cx = static_cast<int>(std::floor(x));
    const int cy = static_cast<int>(std::floor(y));
    const QSize size = Picture1->pixelSize();
    const auto inside = [&](int px, int py) {
        return px >= 0 && py >= 0 && px < size.width() && py < size.height();
    };
    // Each pixel of the block in the picture is read and set to its inverse;
    // the second pass inverts it back.
    const auto flip = [&](long long *sums) {
        int count = 0;
        for (int px = cx - h; px <= cx + h; ++px) {
            for (int py = cy - h; py <= cy + h; ++py) {
                if (!inside(px, py)) {
                    continue;
                }
                const ui::Rgb24 c = Picture1->point(px, py);
                Picture1->pset(px, py, c ^ 0xFFFFFFu);
                if (sums) {
                    sums[0] += ui::redOf(c);
                    sums[1] += ui::greenOf(c);
                    sums[2] += ui::blueOf(c);
                }
                ++count;
            }
        }
        return count;
    };
    long long sums[3] = { 0, 0, 0 };
    const int count = flip(sums);
    if (count == 0) {
        return false;
    }
    screen_.dialogs().yield();
    pause(0.2);
    (void)flip(nullptr);

    int average[3];
    bool converts = true;
    for (int k = 0; k < 3; ++k) {
        average[k] = sampleAverage(sums[k], count);
        converts = converts && average[k] >= 1 && average[k] <= 254;
    }
    // Events go through before the boxes are written, never between the
    // write and the conversion, which a user's action could come between.
    screen_.dialogs().yield();
    screen_.cycle().setTexts(cycle::Boxes::Rgb,
        { std::to_string(average[0]), std::to_string(average[1]), std::to_string(average[2]) });
    sample_ = { average[0], average[1], average[2] };
    sampleNote_ = "not converted: a channel at 0 or 255 may be a clipped colour";
    if (converts) {
        const cycle::Outcome done = screen_.cycle().Command6_Click();
        sampleNote_
            = done.converted() ? std::string() : std::string(cycle::resultText(done.result));
    }
    return true;
}

void Form2::pause(double seconds) {
    // On the clock service, which falls back to 0 at midnight; a clock that
    // stands still cannot hold the window longer than twice the pause.
    const services::Clock &clock = screen_.clock();
    const double start = clock.secondsSinceMidnight();
    const auto realStart = std::chrono::steady_clock::now();
    const auto realLimit = std::chrono::duration<double>(2.0 * seconds);
    for (;;) {
        double passed = clock.secondsSinceMidnight() - start;
        if (passed < 0) {
            passed += 86400.0;
        }
        if (passed >= seconds || std::chrono::steady_clock::now() - realStart > realLimit) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void Form2::showSample(float x, float y) {
    // A sample without a notation says why, never another colour's.
    Text5->setText(sampleNote_.empty() ? "Hue = " + screen_.cycle().text(cycle::Boxes::Munsell, 0)
                + "   Value = " + screen_.cycle().text(cycle::Boxes::Munsell, 1)
                + "   Chroma = " + screen_.cycle().text(cycle::Boxes::Munsell, 2)
                                       : "No notation: " + sampleNote_);
    Text6->setText("Position  X =" + signPaddedNumber(x) + "  Y =" + signPaddedNumber(y));
    Text7->setBackColor(ui::rgb(sample_.R, sample_.G, sample_.B));
}

void Form2::Picture1_MouseDown(int, float x, float y) {
    if (!clickMode_ || busy_) {
        return;
    }
    if (SampleAt(x, y)) {
        showSample(x, y);
    }
}

void Form2::Picture1_MouseMove(int, float x, float y) {
    if (clickMode_ || busy_) {
        return;
    }
    if (SampleAt(x, y)) {
        showSample(x, y);
    }
}

} // namespace tw::imaging
