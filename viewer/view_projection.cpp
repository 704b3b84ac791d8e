// The projection in single precision, as the view has always been computed;
// the tilt is turned into radians before its sine and cosine.
#include "viewer/view_projection.h"

#include <cmath>

namespace tw::viewer {

ViewGeometry ViewGeometry::of(const ViewScrolls &s) {
    ViewGeometry g;
    g.rotation = static_cast<float>(s.HScroll1) * kRadiansPerDegree;
    g.tilt = static_cast<float>(90 - s.VScroll1);
    g.zoom = static_cast<float>(s.VScroll2);
    g.panX = static_cast<float>(400 - s.HScroll2) / 10.0f;
    g.panY = static_cast<float>(s.VScroll3 - 200) / 10.0f;
    g.sinTilt = std::sin(g.tilt * kRadiansPerDegree);
    g.cosTilt = std::cos(g.tilt * kRadiansPerDegree);
    return g;
}

WorldPoint project(const ViewGeometry &view, float hueAngle, float value, float chroma) {
    const float a = hueAngle + view.rotation;
    return { chroma * std::cos(a),
        chroma * std::sin(a) * view.cosTilt + 4.0f * view.sinTilt * (value - 5.0f) };
}

} // namespace tw::viewer
