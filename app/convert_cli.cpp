// The program around the line conversions: arguments, the table, the
// inputs and their columns, the output and its format.
//
// Columns: an input line's fields are parted by blanks, commas, semicolons
// or tabs (text/separated.h). The first line that is neither blank nor a
// comment may be a header row: always with --header, never with
// --no-header, and otherwise when it names a column of the direction's
// colour (notation, hue, value, chroma; X Y Z; L* a* b*; R G B, in any case,
// blanks and underscores aside) and holds no number. A header row that
// names all of the colour's columns says where they stand; the columns
// before the first of them are the identifying columns passed through
// (unless --id-columns says how many), and any others are left out.
// Without such a header the first --id-columns fields are passed through
// and the rest are the colour's. After a header row every line is parted
// by the header's separator, and a notation column that is the header's
// last takes the rest of the line (a blank-separated "5R 5/10" is two
// fields).
#include "app/convert_cli.h"

#include "app/convert_cgats.h"
#include "app/convert_import.h"
#include "text/cgats.h"
#include "text/numbers.h"
#include "text/separated.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <memory>
#include <ostream>

#include <sys/stat.h>

#ifndef TW_VERSION
#define TW_VERSION "unknown"
#endif

namespace tw::app {

namespace {

using Mode = ConvertOptions::Mode;

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

text::Separator outputSeparator(ConvertOptions::Format format) {
    switch (format) {
    case ConvertOptions::Format::Csv:
        return text::Separator::Comma;
    case ConvertOptions::Format::Tsv:
        return text::Separator::Tab;
    case ConvertOptions::Format::Plain:
        break;
    }
    return text::Separator::Blanks;
}

// A column name as compared: lower case, without blanks, underscores and
// dashes.
std::string normalName(std::string_view name) {
    std::string out;
    for (const char c : name) {
        if (c != ' ' && c != '_' && c != '-' && c != '\t') {
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return out;
}

using Names = std::vector<std::string_view>;

// The names each of the direction's colour columns may have; the first
// element of each alternative is the whole set of columns.
std::vector<std::vector<Names>> colourColumns(Mode mode) {
    switch (mode) {
    case Mode::ToXyz:
    case Mode::ToLab:
    case Mode::ToRgb:
        return { { { "notation", "munsell", "munsellnotation" } },
            { { "hue", "huetext", "munsellhue" }, { "value", "munsellvalue" },
                { "chroma", "munsellchroma" } } };
    case Mode::ToMunsell:
        return { { { "xyzx", "ciex", "x" }, { "xyzy", "ciey", "y" }, { "xyzz", "ciez", "z" } } };
    case Mode::FromLab:
        return { { { "l*", "l", "labl", "ciel*", "lstar" }, { "a*", "a", "laba", "ciea*", "astar" },
            { "b*", "b", "labb", "cieb*", "bstar" } } };
    case Mode::FromRgb:
        return { { { "r", "red", "rgbr" }, { "g", "green", "rgbg" }, { "b", "blue", "rgbb" } } };
    case Mode::Import:
        break;
    }
    return {};
}

// Where a header row puts the colour's columns: true with their positions
// when it names them all; `any` when it names at least one.
bool findColumns(
    Mode mode, const text::SeparatedLine &header, std::vector<std::size_t> &at, bool &any) {
    any = false;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < header.size(); ++i) {
        names.push_back(normalName(header[i]));
    }
    for (const std::vector<Names> &set : colourColumns(mode)) {
        std::vector<std::size_t> found;
        for (std::size_t k = 0; k < set.size(); ++k) {
            std::size_t where = names.size();
            // X, Y, Z as written first: x and y may be chromaticities.
            if (mode == Mode::ToMunsell) {
                const char exact[] = { "XYZ"[k], '\0' };
                for (std::size_t i = 0; i < header.size() && where == names.size(); ++i) {
                    if (header[i] == exact) {
                        where = i;
                    }
                }
            }
            for (const std::string_view alias : set[k]) {
                for (std::size_t i = 0; i < names.size() && where == names.size(); ++i) {
                    if (names[i] == alias) {
                        where = i;
                    }
                }
            }
            if (where < names.size()) {
                found.push_back(where);
                any = true;
            }
        }
        if (found.size() == set.size()) {
            at = found;
            return true;
        }
    }
    return false;
}

bool holdsNumber(const text::SeparatedLine &fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        double v = 0.0;
        if (text::parseNumber(fields[i], v)) {
            return true;
        }
    }
    return false;
}

bool cgatsName(const std::string &name) {
    std::string ext = std::filesystem::path(name).extension().string();
    for (char &c : ext) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return ext == ".ti3" || ext == ".ti1" || ext == ".cgats" || ext == ".it8";
}

// The system's reason for the read that failed (errno is cleared before
// each read), else a plain one.
std::string readFailure() {
    return errno != 0 ? std::strerror(errno) : "read error";
}

std::string_view withoutBom(std::string_view line) {
    if (line.size() >= 3 && static_cast<unsigned char>(line[0]) == 0xEF
        && static_cast<unsigned char>(line[1]) == 0xBB
        && static_cast<unsigned char>(line[2]) == 0xBF) {
        line.remove_prefix(3);
    }
    return line;
}

} // namespace

struct StreamConverter::Plan {
    std::size_t ids = 0;
    bool byName = false;
    std::vector<std::size_t> at;
    // Once a header row is read its separator parts every line after it: a
    // row's own mix of blanks and commas (an identifying "Smith, J", a
    // notation with blanks) does not change how it is parted.
    bool headerSeparator = false;
    text::Separator separator = text::Separator::Blanks;
    // The notation is the last column named: the fields from it to the end
    // of the line are the notation ("5R 5/10" in a blank-separated file is
    // two fields).
    bool notationToEnd = false;
};

StreamConverter::StreamConverter(const engine::RenotationTable &table,
    const ConvertOptions &options, Output &out, std::ostream *err)
    : options_(options)
    , converter_(table, options)
    , out_(out)
    , err_(err) { }

void StreamConverter::headerRow(const std::vector<std::string> &idNames) {
    const text::Separator sep = outputSeparator(options_.format);
    bool first = true;
    const auto field = [&](std::string_view name) {
        if (!first) {
            out_.write(text::separatorChar(sep));
        }
        first = false;
        out_.write(text::quoteField(name, sep));
    };
    for (const std::string &name : idNames) {
        field(name);
    }
    for (const std::string &name : converter_.columnNames()) {
        field(name);
    }
    (void)out_.endLine();
    headerWritten_ = true;
}

void StreamConverter::row(const std::vector<std::string_view> &ids, bool converted,
    const Columns &columns, const std::string &why) {
    const text::Separator sep = outputSeparator(options_.format);
    const char c = text::separatorChar(sep);
    const bool plain = options_.format == ConvertOptions::Format::Plain;
    bool first = true;
    const auto field = [&](std::string_view text, bool quote) {
        if (!first) {
            out_.write(c);
        }
        first = false;
        if (quote) {
            out_.write(text::quoteField(text, sep));
        } else {
            out_.write(text);
        }
    };
    for (const std::string_view id : ids) {
        field(id, true);
    }
    if (converted) {
        for (std::size_t i = 0; i < columns.count; ++i) {
            field(columns.text[i], !plain);
        }
    } else {
        field("ERR " + why, !plain);
        if (!plain) {
            for (std::size_t i = 1; i < converter_.columnNames().size(); ++i) {
                out_.write(c);
            }
        }
    }
    (void)out_.endLine();
}

bool StreamConverter::failure(const std::string &name, std::size_t line, const std::string &why) {
    ++failed_;
    if (err_ != nullptr) {
        *err_ << "tintwise-convert: " << (name.empty() ? "" : name + ": ") << "line " << line
              << ": " << why << '\n';
    }
    return !out_.failed();
}

namespace {

// CGATS samples onto the converter's rows.
class CgatsOntoRows : public CgatsRows {
public:
    CgatsOntoRows(std::function<void(const std::vector<std::string> &)> table,
        std::function<void(const std::vector<std::string> &, bool, const Columns &,
            const std::string &, std::size_t)>
            sample)
        : table_(std::move(table))
        , sample_(std::move(sample)) { }
    void table(const std::vector<std::string> &idNames) override { table_(idNames); }
    void sample(const std::vector<std::string> &ids, bool converted, const Columns &columns,
        const std::string &why, std::size_t line) override {
        sample_(ids, converted, columns, why, line);
    }

private:
    std::function<void(const std::vector<std::string> &)> table_;
    std::function<void(
        const std::vector<std::string> &, bool, const Columns &, const std::string &, std::size_t)>
        sample_;
};

} // namespace

bool StreamConverter::readLine(std::istream &in) {
    errno = 0;
    if (std::getline(in, line_)) {
        return true;
    }
    if (in.bad()) {
        readError_ = readFailure();
    }
    return false;
}

bool StreamConverter::readRest(std::istream &in, std::string &text) {
    char buffer[65536];
    do {
        errno = 0;
        in.read(buffer, sizeof buffer);
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
    } while (in);
    if (in.bad()) {
        readError_ = readFailure();
        return false;
    }
    return true;
}

bool StreamConverter::convertCgatsText(const std::string &text, const std::string &name) {
    CgatsOntoRows rows(
        [&](const std::vector<std::string> &idNames) {
            if (options_.format != ConvertOptions::Format::Plain) {
                headerRow(idNames);
            }
        },
        [&](const std::vector<std::string> &ids, bool converted, const Columns &columns,
            const std::string &why, std::size_t line) {
            const std::vector<std::string_view> views(ids.begin(), ids.end());
            row(views, converted, columns, why);
            if (!converted) {
                (void)failure(name, line, why);
            }
        });
    std::string why;
    std::size_t line = 0;
    if (!convertCgats(text, converter_, rows, why, line)) {
        ++refused_;
        (void)failure(name, line, why);
    }
    return !out_.failed();
}

bool StreamConverter::convert(std::istream &in, const std::string &name) {
    if (options_.mode == Mode::ToMunsell && cgatsName(name)) {
        std::string text;
        return readRest(in, text) && convertCgatsText(text, name);
    }
    const bool plain = options_.format == ConvertOptions::Format::Plain;
    Plan plan;
    plan.ids = options_.idColumns > 0 ? static_cast<std::size_t>(options_.idColumns) : 0;
    bool content = false;
    std::string before; // the blank and comment lines before the first other
    std::size_t number = 0;
    text::SeparatedLine fields;
    std::vector<std::string_view> ids;
    std::vector<std::string_view> data;
    Columns columns;
    std::string why;
    while (readLine(in)) {
        ++number;
        std::string_view line = line_;
        if (number == 1) {
            line = withoutBom(line);
        }
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos || line[start] == '#') {
            // Blank lines and comments stay as they are, in their places.
            out_.write(start == std::string_view::npos ? std::string_view() : line);
            if (!out_.endLine()) {
                return false;
            }
            if (!content) {
                before.append(line).append("\n");
            }
            continue;
        }
        fields.split(line, plan.headerSeparator ? plan.separator : text::detectSeparator(line));
        if (!content) {
            content = true;
            if (options_.mode == Mode::ToMunsell && text::looksLikeCgats(line)) {
                std::string text = before;
                text.append(line).append("\n");
                return readRest(in, text) && convertCgatsText(text, name);
            }
            std::vector<std::size_t> at;
            bool any = false;
            const bool all = findColumns(options_.mode, fields, at, any);
            const bool header = options_.header == ConvertOptions::Header::Yes
                || (options_.header == ConvertOptions::Header::Detect && any
                    && !holdsNumber(fields));
            if (header) {
                plan.headerSeparator = true;
                plan.separator = text::detectSeparator(line);
                if (all) {
                    plan.byName = true;
                    plan.at = at;
                    if (options_.idColumns < 0) {
                        plan.ids = *std::min_element(at.begin(), at.end());
                    }
                    plan.notationToEnd = at.size() == 1 && at[0] + 1 == fields.size();
                }
                std::vector<std::string> idNames;
                for (std::size_t i = 0; i < plan.ids; ++i) {
                    idNames.emplace_back(
                        i < fields.size() ? std::string(fields[i]) : "id" + std::to_string(i + 1));
                }
                headerRow(idNames);
                if (out_.failed()) {
                    return false;
                }
                continue;
            }
        }
        if (!plain && !headerWritten_) {
            std::vector<std::string> idNames;
            for (std::size_t i = 0; i < plan.ids; ++i) {
                idNames.push_back(plan.ids == 1 ? "id" : "id" + std::to_string(i + 1));
            }
            headerRow(idNames);
        }
        ids.clear();
        data.clear();
        for (std::size_t i = 0; i < plan.ids && i < fields.size(); ++i) {
            ids.push_back(fields[i]);
        }
        if (plan.byName) {
            for (const std::size_t i : plan.at) {
                data.push_back(i < fields.size() ? fields[i] : std::string_view());
            }
            for (std::size_t i = plan.at[0] + 1; plan.notationToEnd && i < fields.size(); ++i) {
                data.push_back(fields[i]);
            }
        } else {
            for (std::size_t i = plan.ids; i < fields.size(); ++i) {
                data.push_back(fields[i]);
            }
        }
        const bool converted = converter_.convertFields(data.data(), data.size(), columns, why);
        row(ids, converted, columns, why);
        if (!converted && !failure(name, number, why)) {
            return false;
        }
        if (out_.failed()) {
            return false;
        }
    }
    return readError_.empty() && !out_.failed();
}

std::size_t convertStream(const engine::RenotationTable &table, const ConvertOptions &options,
    std::istream &in, std::ostream &out, std::ostream *err) {
    const std::unique_ptr<Output> output = streamOutput(out);
    StreamConverter converter(table, options, *output, err);
    (void)converter.convert(in, "");
    (void)output->finish();
    return converter.failed();
}

namespace {

// Standard output as the streams give it.
std::unique_ptr<Output> standardOutput(ConvertStreams &streams, bool &regular) {
    if (streams.outFd >= 0) {
        regular = isRegularFile(streams.outFd);
        return descriptorOutput(streams.outFd, false);
    }
    regular = true;
    return streamOutput(streams.out);
}

int writeError(std::ostream &err, const Output &out) {
    err << "tintwise-convert: write error: " << out.error() << "\n";
    return 1;
}

} // namespace

int runConvert(const std::vector<std::string> &args, ConvertStreams &streams,
    const std::string &executableDir) {
    ConvertOptions options;
    std::string error;
    std::ostream &err = streams.err;
    if (!parseConvertArguments(args, options, error)) {
        err << "tintwise-convert: " << error << "\n"
            << "Try 'tintwise-convert --help' for more information.\n";
        return 2;
    }
    if (options.help || options.version) {
        bool regular = true;
        const std::unique_ptr<Output> out = standardOutput(streams, regular);
        out->write(options.help ? convertUsage() : "tintwise-convert " TW_VERSION "\n");
        return out->finish() ? 0 : writeError(err, *out);
    }
    const std::string path = tablePath(options, executableDir);
    if (options.mode == Mode::Import) {
        bool regular = true;
        const std::unique_ptr<Output> out = standardOutput(streams, regular);
        const int status = runImport(options, path, *out, err);
        return out->finish() ? status : writeError(err, *out);
    }
    engine::RenotationTable table;
    if (!table.loadFile(path, error)) {
        err << "tintwise-convert: " << error << "\n";
        return 2;
    }
    // Every input opens before anything is written.
    std::vector<std::string> names = options.arguments;
    if (names.empty()) {
        names.emplace_back("-");
    }
    // A regular file -o names is replaced at the end of the run: when it is
    // one of the inputs (under any name, or by a link), the run would read
    // what it writes. Known files only: /dev/null in and out is no conflict.
    struct stat target { };
    const bool outputFile = !options.output.empty() && options.output != "-"
        && ::stat(options.output.c_str(), &target) == 0 && S_ISREG(target.st_mode);
    const auto isOutput = [&](const struct stat &st) {
        return outputFile && st.st_dev == target.st_dev && st.st_ino == target.st_ino;
    };
    const auto refuseSameFile = [&](const std::string &name) {
        err << "tintwise-convert: the output \"" << options.output << "\" is the input "
            << (name == "-" ? std::string("(standard input)") : "\"" + name + "\"")
            << ": nothing was written; choose another output file\n";
        return 2;
    };
    std::vector<std::unique_ptr<std::ifstream>> files;
    for (const std::string &name : names) {
        struct stat st { };
        if (name == "-") {
            if (streams.inFd >= 0 && ::fstat(streams.inFd, &st) == 0 && isOutput(st)) {
                return refuseSameFile(name);
            }
            files.emplace_back();
            continue;
        }
        if (::stat(name.c_str(), &st) == 0 && isOutput(st)) {
            return refuseSameFile(name);
        }
        // A folder opens as a file would; a name the system cannot look up
        // (too long, not searchable) is said with its reason, as any other
        // input that cannot be read.
        errno = 0;
        auto file = std::make_unique<std::ifstream>(name, std::ios::binary);
        const int openError = errno;
        std::error_code ec;
        const bool folder = *file && std::filesystem::is_directory(name, ec);
        if (!*file || folder || ec) {
            const std::string reason = folder ? "Is a directory"
                : ec                          ? ec.message()
                : openError != 0              ? std::strerror(openError)
                                              : "cannot be opened";
            err << "tintwise-convert: cannot read \"" << name << "\": " << reason << "\n";
            return 2;
        }
        files.push_back(std::move(file));
    }
    bool regular = true;
    std::unique_ptr<Output> out;
    if (options.output.empty() || options.output == "-") {
        out = standardOutput(streams, regular);
    } else {
        out = fileOutput(options.output, regular, error);
        if (!out) {
            err << "tintwise-convert: " << error << "\n";
            return 2;
        }
    }
    // A co-process, a terminal or a pipe sees each line as it is written.
    out->setLineFlush(options.unbuffered || !regular);
    StreamConverter converter(table, options, *out, &err);
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::istream &in = files[i] ? static_cast<std::istream &>(*files[i]) : streams.in;
        if (!converter.convert(in, names[i] == "-" ? std::string() : names[i])) {
            if (!converter.readError().empty()) {
                // The input broke off: what was converted is no whole
                // answer, and the -o file stays as it was.
                err << "tintwise-convert: cannot read "
                    << (names[i] == "-" ? std::string("standard input") : "\"" + names[i] + "\"")
                    << ": " << converter.readError() << "\n";
                if (!out->abandon()) {
                    (void)writeError(err, *out);
                }
                return 2;
            }
            break;
        }
    }
    if (converter.refused() > 0) {
        // A CGATS file refused whole has no line in the output to say so:
        // the -o file is not replaced by an answer without it.
        return out->abandon() ? 1 : writeError(err, *out);
    }
    if (!out->finish()) {
        return writeError(err, *out);
    }
    return converter.failed() == 0 ? 0 : 1;
}

int runConvert(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
    std::ostream &err, const std::string &executableDir) {
    ConvertStreams streams { in, out, err, -1 };
    return runConvert(args, streams, executableDir);
}

} // namespace tw::app
