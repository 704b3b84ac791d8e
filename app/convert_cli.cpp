// The program around the line conversions: arguments, the table, the
// stream of lines.
#include "app/convert_cli.h"

#include "app/convert_import.h"

#include <filesystem>
#include <istream>
#include <ostream>

#ifndef TW_VERSION
#define TW_VERSION "unknown"
#endif

namespace tw::app {

namespace {

// --table, else Muncie.dat in the working directory, beside the program,
// or where the program is installed.
std::string tablePath(const ConvertOptions &options, const std::string &executableDir) {
    if (!options.table.empty()) {
        return options.table;
    }
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::vector<fs::path> candidates = {
        "Muncie.dat",
        fs::path(executableDir) / "Muncie.dat",
        fs::path(executableDir) / ".." / "share" / "tintwise" / "Muncie.dat",
    };
    for (const fs::path &candidate : candidates) {
        if (fs::is_regular_file(candidate, ec)) {
            return candidate.string();
        }
    }
    return candidates[0].string();
}

} // namespace

std::size_t convertStream(const engine::RenotationTable &table, const ConvertOptions &options,
    std::istream &in, std::ostream &out, std::ostream *err) {
    std::size_t failed = 0;
    std::size_t number = 0;
    std::string line;
    std::string result;
    LineConverter converter(table, options);
    while (std::getline(in, line)) {
        ++number;
        if (!converter.convert(line, result)) {
            ++failed;
            if (err != nullptr) {
                // "ERR reason" on standard output; "line N: reason" here.
                *err << "tintwise-convert: line " << number << ": " << result.substr(4) << '\n';
            }
        }
        out << result << '\n';
    }
    return failed;
}

int runConvert(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
    std::ostream &err, const std::string &executableDir) {
    ConvertOptions options;
    std::string error;
    if (!parseConvertArguments(args, options, error)) {
        err << "tintwise-convert: " << error << "\n"
            << "Try 'tintwise-convert --help' for more information.\n";
        return 2;
    }
    if (options.help) {
        out << convertUsage();
        return 0;
    }
    if (options.version) {
        out << "tintwise-convert " << TW_VERSION << "\n";
        return 0;
    }
    const std::string path = tablePath(options, executableDir);
    if (options.mode == ConvertOptions::Mode::Import) {
        return runImport(options, path, out, err);
    }
    engine::RenotationTable table;
    if (!table.loadFile(path, error)) {
        err << "tintwise-convert: " << error << "\n";
        return 2;
    }
    return convertStream(table, options, in, out, &err) == 0 ? 0 : 1;
}

} // namespace tw::app
