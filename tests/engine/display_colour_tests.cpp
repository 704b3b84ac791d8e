// Munsell to display colour with its four outcomes told apart, and the
// display channel back to linear light with the tint and the gamma.
#include "engine/display_colour.h"
#include "engine/mun2xyz.h"
#include "engine_test_data.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tw::engine {
namespace {

using testing::realTable;

TEST(MunsellToDisplay, TellsShownFromClippedFromOutsideTheData) {
    const DisplaySettings display;
    const DisplayColour red
        = munsellToDisplay(realTable(), Illuminant::C_1931, false, display, 5.0f, 5.0f, 10.0f);
    EXPECT_EQ(red.status, DisplayStatus::Shown);
    EXPECT_GT(red.rgb.R, red.rgb.G + 60);
    EXPECT_NEAR(red.Y, 19.77f, 0.05f) << "X, Y, Z come back unscaled";

    // The same colour straight through the two engine steps.
    float V = 5.0f, X = 0, Y = 0, Z = 0, x = 0, y = 0;
    ASSERT_EQ(mun2xyz(realTable(), Illuminant::C_1931, false, 5.0f, V, 10.0f, X, Y, Z, x, y),
        Mun2XyzStatus::Ok);
    const RgbResult direct = xyzrgb(Illuminant::C_1931, display, X, Y, Z);
    EXPECT_EQ(red.rgb.R, direct.R);
    EXPECT_EQ(red.rgb.G, direct.G);
    EXPECT_EQ(red.rgb.B, direct.B);

    // 5PB 3/12 lies in the data but beyond what the display shows.
    EXPECT_EQ(munsellToDisplay(realTable(), Illuminant::C_1931, false, display, 75.0f, 3.0f, 12.0f)
                  .status,
        DisplayStatus::OutsideGamut);
    // 5Y 1/20 has no renotation sample around it.
    const DisplayColour dark
        = munsellToDisplay(realTable(), Illuminant::C_1931, false, display, 25.0f, 1.0f, 20.0f);
    EXPECT_EQ(dark.status, DisplayStatus::OutsideData);
    EXPECT_FALSE(dark.hasRgb());
    EXPECT_EQ(
        munsellToDisplay(realTable(), Illuminant::C_1931, false, display, 5.0f, 5.0f, 60.0f).status,
        DisplayStatus::OutOfRange);
    // Hue 100 is the hue 0 of the circle (10RP).
    EXPECT_EQ(
        munsellToDisplay(realTable(), Illuminant::C_1931, false, display, 100.0f, 5.0f, 6.0f).rgb.R,
        munsellToDisplay(realTable(), Illuminant::C_1931, false, display, 0.0f, 5.0f, 6.0f).rgb.R);
}

TEST(DisplayToLinear, UndoesTheTintAndTheGamma) {
    DisplaySettings display;
    EXPECT_FLOAT_EQ(displayToLinear(255, display, 0), 1.0f);
    EXPECT_FLOAT_EQ(displayToLinear(0, display, 1), 0.0f);
    EXPECT_NEAR(displayToLinear(128, display, 2), std::pow(128.0 / 255.0, 2.2), 1e-6);
    // Under a tint of 0.5 in blue, half the channel is already full light.
    display.rgbscale[2] = 0.5f;
    EXPECT_NEAR(displayToLinear(127, display, 2), std::pow(127.0 / 127.5, 2.2), 1e-6);
    EXPECT_NEAR(displayToLinear(127, display, 0), std::pow(127.0 / 255.0, 2.2), 1e-6);
}

} // namespace
} // namespace tw::engine
