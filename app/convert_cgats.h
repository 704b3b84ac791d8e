// A CGATS file through to-munsell: every sample of every table that holds
// colours gets its notation, with its SAMPLE_ID and SAMPLE_NAME (or its
// number in the table when the file has neither).
//
// The colour of a sample, the first of these the table holds:
//  - a reflectance spectrum (fields SPECTRAL_NM380, SPECTRAL_NM_380,
//    SPECTRAL_380, SPEC_380, NM380 or NM_380 ...): integrated with the
//    screen's weights for illuminant C (360 to 750 nm in 10 nm steps) and
//    entered as the screen enters an imported spectrum. The file's
//    wavelengths must lie 10 nm apart on whole tens and cover 400 to 700 nm
//    at least; each weight's wavelength takes the file's value there, those
//    below the file's first wavelength take its first value and those above
//    its last its last value (the curve held flat at both ends);
//    wavelengths outside 360 to 750 nm are not used. Values in percent, or
//    reflectance factors from 0 to 1 when no value of the table exceeds 2.
//  - X Y Z (XYZ_X XYZ_Y XYZ_Z), on the scale where the file's white has
//    Y = 100 (or Y = 1 when its white point says so);
//  - L* a* b* (LAB_L LAB_A LAB_B).
// X Y Z and L*a*b* are relative to the white the file states: its
// WHITE_POINT (or ..._WHITE_POINT_XYZ) keyword, else its ILLUMINANT keyword
// (C, D50, D65), else the illuminant of --illuminant. A white that is one of
// the screen's three illuminants (C, D50, D65/10, by chromaticity within
// 0.0005: D65 for the 2 degree observer is not D65/10) is entered under that
// illuminant, as the screen would; any other
// white is adapted to illuminant C (Bradford, as every adaptation of the
// screen) before XYZ entry.
#pragma once

#include "app/convert_lines.h"

#include <string>
#include <string_view>
#include <vector>

namespace tw::app {

class CgatsRows {
public:
    virtual ~CgatsRows() = default;
    // A table begins: the names of its identifying columns.
    virtual void table(const std::vector<std::string> &idNames) = 0;
    // One sample: its identifying fields, and its columns or why it has
    // none; `line` is the line of its values in the file.
    virtual void sample(const std::vector<std::string> &ids, bool converted, const Columns &columns,
        const std::string &why, std::size_t line)
        = 0;
};

// Converts every sample of the CGATS text; false, with the reason and the
// line it concerns, for a file that cannot be read or holds no colour.
[[nodiscard]] bool convertCgats(std::string_view text, LineConverter &converter, CgatsRows &rows,
    std::string &why, std::size_t &line);

} // namespace tw::app
