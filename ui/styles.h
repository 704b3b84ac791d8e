// The small enumerations shared by several controls: text alignment, fill
// styles of shapes and drawing surfaces, border styles of shapes.
#pragma once

namespace tw::ui {

enum class Alignment { Left, Right, Center };

// How the inside of a box, circle or shape is filled: not at all, solid in the
// fill colour, or hatched with lines in the fill colour over what lies below.
enum class FillStyle {
    Transparent,
    Solid,
    HorizontalLine,
    VerticalLine,
    UpwardDiagonal,
    DownwardDiagonal,
    Cross,
    DiagonalCross,
};

enum class BorderStyle { Transparent, Solid, Dotted };

} // namespace tw::ui
