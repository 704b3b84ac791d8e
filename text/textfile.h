// Sequential text files as the program reads and writes them.
//
// Reading (FieldReader, over a whole text held in memory):
//  - readField(): comma-separated field input. Leading blanks (spaces and
//    tabs) are skipped; a field in double quotes runs to the closing quote,
//    may hold commas, and loses its quotes (anything after the closing quote
//    up to the next comma or line end is dropped); an unquoted field ends at
//    a comma or a line end (CR LF, LF or CR) and loses trailing blanks; a tab
//    does not end a field. The delimiter is consumed (a comma, or a line end;
//    a comma followed directly by a line end consumes both). A quote that is
//    never closed ends at the line end (one stray quote cannot swallow the
//    rest of the file). An empty line reads as one empty field; at the end
//    of the text the field is empty.
//  - readNumber(): readField() then leadingNumber().
//  - readLine(): the rest of the current line, without its line end.
//  - atEnd(): nothing but end of text is left.
//  - atLineStart(): the reader stands at the start of a line: at the start of
//    the text or just after a line end (a field whose delimiter was a line
//    end, or a comma and a line end, leaves it there).
//
// Writing (TextWriter, appends to a std::string; the caller writes it out):
//  - print(text) / printNumber(v): list-print output; printZone() pads with
//    blanks to the next 14-column zone (columns counted from the line start;
//    always at least one blank: an item ending on a zone boundary is followed
//    by a whole zone of blanks, so items never run together);
//  - writeText(s): write form: the text in double quotes followed by ",";
//    writeNumber(v): numberDigits(v) followed by "," (.5, -.25);
//  - endLine(): CR LF.
//
// Whole-file helpers: readFile / writeFile / appendFile report failure as a
// false return with a reason, never by exception. Files are opened in binary
// mode (no newline translation). The error text names the file and the
// system's reason, e.g. `Cannot open file for reading "twz.cfg": No such file
// or directory`; on success error is cleared. readFile leaves contents
// unchanged on failure; appendFile creates a missing file. writeFile writes
// the whole text through a PartFile, so a failed write never leaves a torn
// or empty file in place of the old one. appendFile adds the whole text or
// nothing: a write that fails part-way is cut back to the file's old length.
//
// PartFile: a file written in pieces that takes the place of its target
// only when it is complete. It is written beside the target as a new file
// "<target><suffix>" (".part" unless told otherwise; "<target>.N<suffix>"
// when that name is taken: an existing file is never opened, so the part
// file can never be the input a run is reading). A target that is a link is
// followed (the file it names is replaced, the link stays), and the new file
// keeps the old one's permissions. A target that exists but is no regular
// file (a terminal, a pipe, /dev/null) is written directly and never
// renamed over. commit() flushes it,
// hands it to the disk, closes it, renames it over the target in one step
// and hands the folder's new entry to the disk where the system allows.
// Until then, and whenever anything fails, the target is as it was: a
// failed or abandoned file is removed (discard(), or the destructor of a
// PartFile never committed). The first failure of the open or of any write
// is remembered, later writes do nothing, and commit() reports it: error()
// names the target, never the part file, with the system's reason
// (`Cannot write to "muntable2.prn": No space left on device`); reason() is
// the system's reason alone.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace tw::text {

class FieldReader {
public:
    explicit FieldReader(std::string text);
    [[nodiscard]] std::string readField();
    [[nodiscard]] double readNumber();
    [[nodiscard]] std::string readLine();
    [[nodiscard]] bool atEnd() const;
    [[nodiscard]] bool atLineStart() const;
    [[nodiscard]] std::size_t position() const { return pos_; }

private:
    std::string text_;
    std::size_t pos_ = 0;
};

class TextWriter {
public:
    void print(std::string_view text);
    void printNumber(float value);
    void printZone();
    void writeText(std::string_view text);
    void writeNumber(float value);
    void endLine();
    [[nodiscard]] const std::string &str() const { return out_; }
    void clear() { out_.clear(); }

private:
    [[nodiscard]] std::size_t column() const;
    std::string out_;
};

class PartFile {
public:
    PartFile() = default;
    ~PartFile();
    PartFile(const PartFile &) = delete;
    PartFile &operator=(const PartFile &) = delete;

    // Creates the part file for writing; a file opened before and not
    // committed is discarded first. False when it cannot be created.
    [[nodiscard]] bool open(const std::string &target, std::string_view suffix = ".part");
    void write(std::string_view text);
    [[nodiscard]] bool isOpen() const { return file_ != nullptr; }
    [[nodiscard]] bool failed() const { return !error_.empty(); }
    // True when the whole text is now the target's.
    [[nodiscard]] bool commit();
    void discard();

    [[nodiscard]] const std::string &error() const { return error_; }
    [[nodiscard]] const std::string &reason() const { return reason_; }
    [[nodiscard]] const std::string &target() const { return target_; }
    [[nodiscard]] const std::string &partPath() const { return part_; }

private:
    void fail(const char *what, int err);

    std::FILE *file_ = nullptr;
    std::string target_; // as the caller named it: what messages name
    std::string dest_; // the file replaced: the target, any link followed
    std::string part_;
    bool direct_ = false; // no regular file: written in place
    std::string error_;
    std::string reason_;
};

[[nodiscard]] bool readFile(const std::string &path, std::string &contents, std::string &error);
[[nodiscard]] bool writeFile(
    const std::string &path, std::string_view contents, std::string &error);
[[nodiscard]] bool appendFile(
    const std::string &path, std::string_view contents, std::string &error);

} // namespace tw::text
