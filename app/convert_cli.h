// The command-line converter `tintwise-convert`: Munsell notations to and
// from CIE X, Y, Z, CIELAB and display RGB, a line at a time, for scripts
// and spreadsheets. `tintwise-convert --help` and the manual page
// (app/tintwise-convert.1) give the whole of it.
//
// Every input line gives one output line: a blank line or a "#" comment as
// it is, a header row a header row, a line that cannot be converted "ERR "
// and a reason (and on standard error the reason with the line's number),
// and the run goes on. The exit status is 0 when every line converted, 1
// when some line failed, a CGATS file was refused whole or the output could
// not be written, 2 for a usage error, a table or input that cannot be read
// (also part-way) or an output that is one of the inputs. A run that fails
// as a whole leaves the file -o names as it was.
#pragma once

#include "app/convert_lines.h"
#include "app/convert_options.h"
#include "app/convert_output.h"
#include "engine/renotation_table.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tw::app {

// Converts the lines of inputs onto one output: each input with its own
// header row and columns, the csv or tsv header row written once before
// the first row when no input has one of its own.
class StreamConverter {
public:
    StreamConverter(const engine::RenotationTable &table, const ConvertOptions &options,
        Output &out, std::ostream *err);

    // Converts every line of `in`; `name` is the input's name in the
    // messages (empty for standard input). A CGATS file is read whole
    // (to-munsell). False when the output failed or the input could not be
    // read (readError()): the run stops.
    bool convert(std::istream &in, const std::string &name);

    // Lines (or samples, or CGATS files) that did not convert.
    [[nodiscard]] std::size_t failed() const { return failed_; }
    // CGATS files refused whole (cannot be read, or hold no colour).
    [[nodiscard]] std::size_t refused() const { return refused_; }
    // The system's reason when an input could not be read to its end (the
    // conversion stopped there), else empty.
    [[nodiscard]] const std::string &readError() const { return readError_; }

private:
    struct Plan;
    void headerRow(const std::vector<std::string> &idNames);
    void row(const std::vector<std::string_view> &ids, bool converted, const Columns &columns,
        const std::string &why);
    bool failure(const std::string &name, std::size_t line, const std::string &why);
    bool convertCgatsText(const std::string &text, const std::string &name);
    bool readLine(std::istream &in);
    bool readRest(std::istream &in, std::string &text);

    const ConvertOptions &options_;
    LineConverter converter_;
    Output &out_;
    std::ostream *err_;
    bool headerWritten_ = false;
    std::size_t failed_ = 0;
    std::size_t refused_ = 0;
    std::string readError_;
    std::string line_;
};

// Converts every line of `in` onto `out`, the failures also onto `err`
// (when given) with their line numbers; returns the number of failed lines.
[[nodiscard]] std::size_t convertStream(const engine::RenotationTable &table,
    const ConvertOptions &options, std::istream &in, std::ostream &out,
    std::ostream *err = nullptr);

struct ConvertStreams {
    std::istream &in; // standard input
    std::ostream &out; // standard output, unless outFd is given
    std::ostream &err;
    // Standard output as a descriptor (the program's): written directly,
    // with the system's reason for a failed write.
    int outFd = -1;
    // Standard input's descriptor (the program's), to know its file.
    int inFd = -1;
};

// The whole program; returns the exit status.
int runConvert(const std::vector<std::string> &args, ConvertStreams &streams,
    const std::string &executableDir);
int runConvert(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
    std::ostream &err, const std::string &executableDir);

} // namespace tw::app
