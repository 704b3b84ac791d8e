// Batch import: whole files of colours converted in one go by the conversion
// cycle. Each record is written into the Munsell, XYZ or CIELAB boxes, the
// cycle's own entry operation runs, and the boxes as now shown are copied
// into the output line, so an output file holds exactly what the screen
// would show for each colour under the current illuminant, gamma and PWD
// setting. In the window the screen shows each colour as it goes; the
// command-line converter runs the same cycle without a window.
//
// The seven types, typed at the "Type import" prompt and compared exactly:
//
//   "1"   munfile1.txt  -> munout.txt            spectra (tris, xyzenter)
//   "2"   RHScolors.txt -> RHScolorsMUNSELL.txt  names + Munsell (muncie)
//   "3"   steps.txt     -> stepsMUNSELL.txt      hue<tab>value<tab>chroma
//   "4"   ccnames.csv   -> cchecker.csv          ColorChecker (muncie)
//   "0"   a chosen .csv -> tempOUT.txt           Munsell list (muncie)
//   "6"   lab_sRGB.csv  -> lab_sRGB.txt          CIELAB list (labenter)
//   "xyz" a chosen .csv -> the current palette   tag, X, Y, Z (SaveData)
//
// Every record is one line of the input, read with the comma-separated
// field input; a line with fewer fields than the type reads ends the run
// with a message naming it (what was converted before stays), further
// fields are ignored, blank lines are passed over. Output lines end with
// CR LF; integers are in list-print form (" 255 "); type "1" separates its
// items by 14-column print zones. The output is written to a temporary file
// and renamed over the old one when the run ends, so no failed run leaves a
// half-made file in place of a good one.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace tw::cycle {
class CycleHost;
}

namespace tw::batch {

// Where a run reads and writes. An empty input is the type's fixed file in
// the working folder (types "0" and "xyz" ask with the open dialog); an
// empty output is the type's fixed file (type "xyz": the palette file the
// screen has, asked for once when it has none).
struct ImportFiles {
    std::filesystem::path input;
    std::filesystem::path output;
};

struct ImportResult {
    enum class Outcome {
        NotRun, // not an import type, or a cancelled dialog
        Done, // every record read
        Failed, // input not found, a record cut short, the output not written
    } outcome
        = Outcome::NotRun;
    std::size_t records = 0; // records converted
    std::size_t notDisplayed = 0; // of them, with an R, G or B of 0 or 255
    std::size_t skipped = 0; // lines that could not be read as a record
    std::filesystem::path output; // the file written (type "xyz": the palette)
    std::string message; // what the Messages box was given, if anything
};

// The type codes the prompt understands.
[[nodiscard]] bool isImportType(std::string_view type);

// Runs one type on the host's conversion cycle. Anything but a type code
// does nothing.
ImportResult runImport(
    cycle::CycleHost &host, std::string_view type, const ImportFiles &files = {});

// The "Import" button: asks "Type import" and runs the type given.
void import_Click(cycle::CycleHost &host);

} // namespace tw::batch
