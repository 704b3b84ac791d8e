// The records of a batch input file, one line each (for a wrapped
// spectrum, a line ending with a comma goes on into a next line that
// starts with a number), read with the comma-separated field input (leading blanks
// skipped, quoted fields may hold commas, a tab does not end a field). Lines end with CR LF, LF or
// CR. The file is read as it goes, so a long input costs no more memory than a record.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace tw::batch {

struct Record {
    std::size_t line = 0; // its line in the file, from 1
    std::vector<std::string> fields;
    std::string rest; // the rest of the line after the fields, when asked for
};

// The fields of one line. False when the line ends before the last of them
// (a comma at the very end still counts as one more, empty field); fields
// beyond `count` are left out, or make up `rest` when it is asked for.
[[nodiscard]] bool splitRecord(
    std::string_view line, std::size_t count, std::vector<std::string> &fields, std::string *rest);

class RecordInput {
public:
    enum class Status { Read, CutShort, End };

    // False when the file cannot be opened.
    [[nodiscard]] bool open(const std::filesystem::path &path);
    // Nothing at all is left to read.
    [[nodiscard]] bool empty();
    // The next line whole, without its line end; false at the end.
    bool readLine(std::string &line);
    // The next line that is not blank, as a record of `count` fields. With
    // `wraps`, a line that holds fewer and ends with a comma goes on into
    // the next line when that one starts with a number (a wrapped spectrum);
    // a line that holds fewer otherwise gives CutShort (the record holds the
    // number of the line it starts on).
    Status read(std::size_t count, bool restOfLine, bool wraps, Record &record);

private:
    std::ifstream in_;
    std::size_t line_ = 0;
};

} // namespace tw::batch
