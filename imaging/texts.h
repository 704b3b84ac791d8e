// The texts the picture window derives: the palette names it proposes and
// the sign-padded numbers of its messages and readouts.
//
//  - paletteNameOfPicture: the palette a picture proposes, its file name
//    without the folders (up to the last "\" or "/") and without its
//    extension (from the last "." of that name on): C:\pics\leaf.jpg and
//    /pics/leaf.jpg give leaf, D:\a\b.c.jpg gives b.c, leaf.jpeg gives
//    leaf. A name without a point keeps all of it.
//  - paletteFileOfAnswer: the palette file an answer names, upper-cased
//    with ".CSV" added unless it already ends so: leaf and leaf.csv both
//    give LEAF.CSV.
//  - signPadded: a number as the list form shows it, a blank in the place of
//    a plus sign and no blank after it (20 -> " 20", -3 -> "-3", 0.5 ->
//    " .5"); whole numbers of any size in full, others with the digits of
//    text::numberDigits.
#pragma once

#include <string>

namespace tw::imaging {

[[nodiscard]] std::string paletteNameOfPicture(const std::string &path);
[[nodiscard]] std::string paletteFileOfAnswer(const std::string &answer);
[[nodiscard]] std::string signPadded(long long value);
[[nodiscard]] std::string signPaddedNumber(float value);

} // namespace tw::imaging
