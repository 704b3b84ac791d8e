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
// Records are read with the comma-separated field input, one line each; a
// line that ends with a comma goes on into the next (a spectrum wrapped over
// several lines). A record with fewer fields than the type reads ends the
// run with a message naming its line, further fields are ignored, blank
// lines are passed over.
//
// A record that does not convert (no light, outside the Munsell data, out of
// the Munsell range, a number that is no number) never takes another
// colour's values: its output line keeps its own input fields and says
// "ERR" and why where the results would stand; the XYZ import adds no row
// for it. The end message counts them and names their first lines.
//
// Output lines end with CR LF; integers are in list-print form (" 255 ");
// text fields holding a comma or a quote are quoted; type "1" separates its
// items by 14-column print zones. The output is written to a temporary file
// and renamed over the old one only when the run has read its whole input
// (the XYZ import adds all its rows to the palette at once at the end): a
// run that stops (a record cut short, Esc, a full disk) leaves the old
// output exactly as it was. An import never writes into a file it reads.
//
// The end message and every failure are shown in a modal message box (the
// converter writes them to standard error).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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
        Done, // every record read (`failed` of them not converted)
        // Ended before the whole input was read (input not found, a record
        // cut short, Esc, the output not written): the output is as it was.
        Failed,
        Refused, // the output is the file the import reads
    } outcome
        = Outcome::NotRun;
    std::size_t records = 0; // records converted
    std::size_t failed = 0; // records not converted (ERR rows, no palette row)
    std::size_t notDisplayed = 0; // of those converted, with an R, G or B of 0 or 255
    std::size_t skipped = 0; // lines that could not be read as a record
    std::filesystem::path output; // the file written (type "xyz": the palette)
    std::string message; // what the run's message box said, if anything
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
