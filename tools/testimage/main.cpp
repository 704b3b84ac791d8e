// The test picture the picture-analysis window opens with, drawn from the
// engine's own colours so that sampling it gives back known notations:
//
//  - the 24 patches of the colour rendition chart (ccnames.csv), six by
//    four on a dark neutral surround (Value 1, below the chart's black), as the display shows each
//    Munsell notation under illuminant C at gamma 2.2;
//  - below them a hue/value sweep: nine bands for Values 9 (top) to 1, the
//    hue running once round the circle from left to right (hue number 0 to
//    100, 10RP at both ends), each point at the highest Chroma up to 10 that
//    the display shows unclipped;
//  - and a neutral ramp from Value 0.5 to 9.5.
//
// 800 x 600 pixels, so that the window with its readouts fits a 1280 x 1024
// screen. No text is drawn: letters would differ with the fonts of the
// machine that draws them.
//
//   tintwise-testimage TABLE CCNAMES OUT.jpg
#include "engine/display_colour.h"
#include "engine/notation.h"
#include "engine/renotation_table.h"
#include "text/textfile.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using tw::engine::DisplayColour;
using tw::engine::DisplayStatus;

constexpr int width = 800;
constexpr int height = 600;
// The chart: 6 x 4 patches of 110 x 80 with gaps of 16, centred.
constexpr int patchWidth = 110;
constexpr int patchHeight = 80;
constexpr int gap = 16;
constexpr int chartLeft = (width - (6 * patchWidth + 5 * gap)) / 2;
constexpr int chartTop = 24;
// The sweep: nine bands of 16 pixels, then the ramp.
constexpr int sweepLeft = chartLeft;
constexpr int sweepWidth = width - 2 * chartLeft;
constexpr int sweepTop = chartTop + 4 * patchHeight + 3 * gap + 20;
constexpr int bandHeight = 16;
constexpr int rampTop = sweepTop + 9 * bandHeight + 6;
constexpr int rampHeight = 24;

struct Patch {
    float hue = 0, value = 0, chroma = 0;
};

class Painter {
public:
    explicit Painter(const tw::engine::RenotationTable &table)
        : table_(table) { }

    // The display colour of a notation; grey where it has none.
    [[nodiscard]] QColor colour(float hue, float value, float chroma) const {
        const DisplayColour c = convert(hue, value, chroma);
        return c.hasRgb() ? QColor(c.rgb.R, c.rgb.G, c.rgb.B) : QColor(128, 128, 128);
    }

    // The most saturated colour of this hue and Value up to `maxChroma` that
    // the display shows as it is.
    // The gamut's edge is found by bisection to a fiftieth of a Chroma step,
    // so the sweep shades smoothly instead of in steps.
    [[nodiscard]] QColor strongest(float hue, float value, float maxChroma) const {
        DisplayColour best = convert(hue, value, maxChroma);
        if (best.status != DisplayStatus::Shown) {
            float shown = 0, clipped = maxChroma;
            best = convert(hue, value, 0);
            while (clipped - shown > 0.02f) {
                const float mid = (shown + clipped) / 2;
                const DisplayColour c = convert(hue, value, mid);
                if (c.status == DisplayStatus::Shown) {
                    shown = mid;
                    best = c;
                } else {
                    clipped = mid;
                }
            }
        }
        return best.hasRgb() ? QColor(best.rgb.R, best.rgb.G, best.rgb.B) : QColor(128, 128, 128);
    }

private:
    [[nodiscard]] DisplayColour convert(float hue, float value, float chroma) const {
        return tw::engine::munsellToDisplay(table_, tw::engine::Illuminant::C_1931, false,
            tw::engine::DisplaySettings {}, hue, value, chroma);
    }

    const tw::engine::RenotationTable &table_;
};

bool readPatches(const std::string &path, std::vector<Patch> &patches, std::string &error) {
    std::string contents;
    if (!tw::text::readFile(path, contents, error)) {
        return false;
    }
    tw::text::FieldReader reader(contents);
    (void)reader.readLine(); // the header
    while (!reader.atEnd() && patches.size() < 24) {
        (void)reader.readField(); // number
        (void)reader.readField(); // name
        bool formatError = false;
        Patch p;
        p.hue = tw::engine::converth(reader.readField(), formatError);
        p.value = static_cast<float>(reader.readNumber());
        p.chroma = static_cast<float>(reader.readNumber());
        if (formatError) {
            error = path + ": a hue that is not a notation in record "
                + std::to_string(patches.size() + 1);
            return false;
        }
        patches.push_back(p);
    }
    if (patches.size() != 24) {
        error = path + ": 24 patches expected, " + std::to_string(patches.size()) + " found";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv); // the image writers are plug-ins
    if (argc != 4) {
        std::fprintf(stderr, "usage: tintwise-testimage TABLE CCNAMES OUT.jpg\n");
        return 2;
    }
    tw::engine::RenotationTable table;
    std::string error;
    std::vector<Patch> patches;
    if (!table.loadFile(argv[1], error) || !readPatches(argv[2], patches, error)) {
        std::fprintf(stderr, "tintwise-testimage: %s\n", error.c_str());
        return 1;
    }
    const Painter painter(table);

    QImage image(width, height, QImage::Format_RGB32);
    image.fill(painter.colour(0, 1, 0));
    {
        QPainter p(&image);
        for (int k = 0; k < 24; ++k) {
            const Patch &patch = patches[static_cast<std::size_t>(k)];
            const int left = chartLeft + (k % 6) * (patchWidth + gap);
            const int top = chartTop + (k / 6) * (patchHeight + gap);
            p.fillRect(left, top, patchWidth, patchHeight,
                painter.colour(patch.hue, patch.value, patch.chroma));
        }
    }
    for (int band = 0; band < 9; ++band) {
        const float value = 9.0f - static_cast<float>(band);
        for (int i = 0; i < sweepWidth; ++i) {
            const float hue = 100.0f * static_cast<float>(i) / static_cast<float>(sweepWidth - 1);
            const QRgb c = painter.strongest(hue, value, 10.0f).rgb();
            for (int y = 0; y < bandHeight; ++y) {
                image.setPixel(sweepLeft + i, sweepTop + band * bandHeight + y, c);
            }
        }
    }
    for (int i = 0; i < sweepWidth; ++i) {
        const float value
            = 0.5f + 9.0f * static_cast<float>(i) / static_cast<float>(sweepWidth - 1);
        const QRgb c = painter.colour(0, value, 0).rgb();
        for (int y = 0; y < rampHeight; ++y) {
            image.setPixel(sweepLeft + i, rampTop + y, c);
        }
    }
    if (!image.save(QString::fromLocal8Bit(argv[3]), "JPG", 95)) {
        std::fprintf(stderr, "tintwise-testimage: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
