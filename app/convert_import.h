// `tintwise-convert import TYPE [INPUT] [-o OUTPUT]`: the batch import of the
// conversion screen's Import button, run on the screen's conversion cycle
// without a window (and without any display toolkit), so the files are
// those the button writes.
//
// The cycle starts as the window does in the working directory, with the
// table file found as for the other subcommands; --illuminant, --pwd and
// --gamma are set on it as a user sets them. Dialogs are answered from the
// command line: INPUT for the open dialog of types 0 and xyz, -o for the
// palette file name of type xyz (else the name the screen proposes,
// "TWZpalette"). Messages go to standard error.
//
// The number of colours written goes to `out`; the caller finishes it and
// says a failed write.
//
// Exit status: 0 when the import read its whole input, 1 when it stopped
// (input not found, a record cut short, the output not written), 2 for a
// usage error or a screen that cannot start.
#pragma once

#include "app/convert_options.h"
#include "app/convert_output.h"

#include <iosfwd>
#include <string>

namespace tw::app {

int runImport(
    const ConvertOptions &options, const std::string &tablePath, Output &out, std::ostream &err);

} // namespace tw::app
