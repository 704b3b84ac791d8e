// The viewer's reading of hue texts and its projection of Munsell space.
#include "viewer/palette_hue.h"
#include "viewer/view_projection.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tw::viewer {
namespace {

constexpr float kPi = 3.14159265f;

TEST(PaletteHue, FamiliesAreReadByTheirEndingInAnyCase) {
    EXPECT_FLOAT_EQ(paletteHueNumber("5R"), 5.0f);
    EXPECT_FLOAT_EQ(paletteHueNumber("5yr"), 15.0f);
    EXPECT_FLOAT_EQ(paletteHueNumber("5YR"), 15.0f);
    EXPECT_FLOAT_EQ(paletteHueNumber("5Yr"), 15.0f);
    EXPECT_FLOAT_EQ(paletteHueNumber("2.5YR"), 12.5f) << "YR before R";
    EXPECT_FLOAT_EQ(paletteHueNumber("5BG"), 55.0f);
    EXPECT_FLOAT_EQ(paletteHueNumber("10RP"), 100.0f);
    EXPECT_FLOAT_EQ(paletteHueNumber("Y"), 20.0f) << "no number before the family is 0";
    EXPECT_FLOAT_EQ(paletteHueNumber("N"), 0.0f) << "a neutral has no family";

    // 10RP is a whole turn: the same direction as 0.
    const float full = paletteHueAngle(100.0f);
    EXPECT_NEAR(full, 2 * kPi, 1e-5f);
    EXPECT_NEAR(std::cos(full), 1.0f, 1e-6f);
    EXPECT_NEAR(std::sin(full), 0.0f, 1e-5f);
}

TEST(ViewProjection, ScrollBarsGiveTheView) {
    const ViewGeometry start = ViewGeometry::of({});
    EXPECT_FLOAT_EQ(start.tilt, 75.0f);
    EXPECT_FLOAT_EQ(start.top(), 20.0f);
    EXPECT_FLOAT_EQ(start.height(), -40.0f) << "y grows upwards";
    // Pan moves the world point (pan x, pan y) into the centre.
    const ViewGeometry panned = ViewGeometry::of({ 90, 0, 10, 300, 250 });
    EXPECT_NEAR(panned.rotation, kPi / 2, 1e-6f);
    EXPECT_FLOAT_EQ(panned.left() + panned.width() / 2, 10.0f);
    EXPECT_FLOAT_EQ(panned.top() + panned.height() / 2, 5.0f);
}

TEST(ViewProjection, TiltFromAboveAndFromTheSide) {
    // From above (tilt 0): the Value axis is a point, Chroma a true radius.
    const ViewGeometry above = ViewGeometry::of({ 0, 90, 20, 400, 200 });
    for (const float value : { 1.0f, 5.0f, 9.0f }) {
        const WorldPoint p = project(above, paletteHueAngle(25.0f), value, 8.0f);
        EXPECT_NEAR(p.x, 0.0f, 1e-5f);
        EXPECT_NEAR(p.y, 8.0f, 1e-5f) << "Value " << value;
    }
    // From the side (tilt 90): equal Values on one line, 4 units a step.
    const ViewGeometry side = ViewGeometry::of({ 30, 0, 20, 400, 200 });
    const WorldPoint a = project(side, paletteHueAngle(5.0f), 7.0f, 10.0f);
    const WorldPoint b = project(side, paletteHueAngle(55.0f), 7.0f, 3.0f);
    const WorldPoint c = project(side, paletteHueAngle(55.0f), 6.0f, 3.0f);
    EXPECT_NEAR(a.y, 8.0f, 1e-5f);
    EXPECT_NEAR(b.y, 8.0f, 1e-5f);
    EXPECT_NEAR(b.y - c.y, 4.0f, 1e-5f);
    EXPECT_NEAR(a.x, 10.0f * std::cos(paletteHueAngle(5.0f) + side.rotation), 1e-5f);
}

} // namespace
} // namespace tw::viewer
