// The viewer's projection of Munsell space onto its drawing box.
//
// World units: one Chroma step is one unit across; one Value step is 4 units
// up the Value axis, with Value 5 at the origin (Value 0 and 10 lie 20 units
// below and above it before tilting). A colour at hue angle h, Value V and
// Chroma C is seen at
//     X = C cos(h + rotation)
//     Y = C sin(h + rotation) cos(tilt) + 4 sin(tilt) (V - 5)
// Tilt 0 looks straight down the Value axis (which shrinks to a point, the
// Chroma rings are full circles); tilt 90 is a side view (the rings are flat
// lines and each Value step is 4 units up).
//
// The view comes from the window's scroll bars:
//     rotation = HScroll1 degrees        tilt = 90 - VScroll1 degrees
//     zoom     = VScroll2 (half the span shown on either axis)
//     pan x    = (400 - HScroll2) / 10   pan y = (VScroll3 - 200) / 10
// and the drawing box shows the world square of half-span zoom around
// (pan x, pan y), y upwards.
#pragma once

namespace tw::viewer {

struct ViewScrolls {
    int HScroll1 = 0; // rotation, -180 to 180
    int VScroll1 = 15; // 90 - tilt, 0 to 90
    int VScroll2 = 20; // zoom, 1 to 40
    int HScroll2 = 400; // pan x, 0 to 800
    int VScroll3 = 200; // pan y, 0 to 400
};

struct ViewGeometry {
    float rotation = 0.0f; // radians
    float tilt = 0.0f; // degrees
    float zoom = 20.0f;
    float panX = 0.0f;
    float panY = 0.0f;
    // sin and cos of the tilt, worked out once for a whole redraw.
    float sinTilt = 0.0f;
    float cosTilt = 1.0f;

    [[nodiscard]] static ViewGeometry of(const ViewScrolls &scrolls);

    // The drawing box's user coordinate system: left, top, width, height.
    [[nodiscard]] float left() const { return panX - zoom; }
    [[nodiscard]] float top() const { return zoom + panY; }
    [[nodiscard]] float width() const { return 2.0f * zoom; }
    [[nodiscard]] float height() const { return -2.0f * zoom; }
};

struct WorldPoint {
    float x = 0.0f;
    float y = 0.0f;
};

[[nodiscard]] WorldPoint project(
    const ViewGeometry &view, float hueAngle, float value, float chroma);

// One degree in radians, as every angle of the view is turned.
inline constexpr float kRadiansPerDegree = 0.0174532925f;

} // namespace tw::viewer
