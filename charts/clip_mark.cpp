#include "charts/clip_mark.h"

#include "ui/shape.h"

namespace tw::charts {

void showClipMark(ui::Shape &patch, bool clipped, ui::Rgb24 fill, ui::Rgb24 plainBorder) {
    patch.setFillColor(fill);
    patch.setBorderStyle(clipped ? ui::BorderStyle::Dotted : ui::BorderStyle::Solid);
    patch.setBorderColor(clipped ? ui::clipMarkColour(fill) : plainBorder);
}

} // namespace tw::charts
