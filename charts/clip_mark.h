// The one mark of a colour the display must clip on a chart's patch (hue
// page, value page, tolerance set, ColorChecker): a dotted outline in
// ui::clipMarkColour, black on a light colour and white on a dark one. A
// colour is clipped when the display cannot show it as it is: a channel
// clipped at 0 or at 255, or X, Y, Z not positive (the XYZ-to-RGB step's
// out-of-gamut flag), however dark the colour.
#pragma once

#include "ui/colour.h"

namespace tw::ui {
class Shape;
}

namespace tw::charts {

// A patch in `fill`: a dotted outline when clipped, else a solid one in
// `plainBorder`.
void showClipMark(ui::Shape &patch, bool clipped, ui::Rgb24 fill, ui::Rgb24 plainBorder);

} // namespace tw::charts
