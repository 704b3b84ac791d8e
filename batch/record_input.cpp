#include "batch/record_input.h"

#include "text/numbers.h"
#include "text/textfile.h"

namespace tw::batch {

bool splitRecord(
    std::string_view line, std::size_t count, std::vector<std::string> &fields, std::string *rest) {
    fields.clear();
    text::FieldReader reader { std::string(line) };
    bool lastTaken = false;
    for (std::size_t i = 0; i < count; ++i) {
        // Past the first field, the line must still hold one: the reader
        // stands before more text, or after a final comma (one empty last
        // field, and only one).
        const std::size_t at = reader.position();
        if (i > 0 && reader.atEnd()) {
            if (lastTaken || !(at > 0 && line[at - 1] == ',')) {
                return false;
            }
            lastTaken = true;
        }
        fields.push_back(reader.readField());
    }
    if (rest != nullptr) {
        *rest = reader.atEnd() ? std::string() : reader.readLine();
    }
    return true;
}

bool RecordInput::open(const std::filesystem::path &path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return false;
    }
    in_.open(path, std::ios::binary);
    line_ = 0;
    return in_.is_open();
}

bool RecordInput::empty() {
    return in_.peek() == std::ifstream::traits_type::eof();
}

bool RecordInput::readLine(std::string &line) {
    line.clear();
    std::streambuf *buf = in_.rdbuf();
    using traits = std::ifstream::traits_type;
    int c = buf->sbumpc();
    if (c == traits::eof()) {
        return false;
    }
    ++line_;
    for (; c != traits::eof(); c = buf->sbumpc()) {
        if (c == '\n') {
            break;
        }
        if (c == '\r') {
            if (buf->sgetc() == '\n') {
                buf->sbumpc();
            }
            break;
        }
        line.push_back(static_cast<char>(c));
    }
    return true;
}

// A line that carries on a wrapped spectrum starts with one of its numbers;
// a record of its own starts with its sample's name.
static bool startsWithNumber(std::string_view line) {
    text::FieldReader reader { std::string(line) };
    double value = 0.0;
    return text::parseNumber(reader.readField(), value);
}

RecordInput::Status RecordInput::read(
    std::size_t count, bool restOfLine, bool wraps, Record &record) {
    std::string line;
    for (;;) {
        if (!readLine(line)) {
            return Status::End;
        }
        if (line.find_first_not_of(" \t") != std::string::npos) {
            break;
        }
    }
    record.line = line_;
    for (;;) {
        record.rest.clear();
        if (splitRecord(line, count, record.fields, restOfLine ? &record.rest : nullptr)) {
            return Status::Read;
        }
        // A line that ends with a comma goes on into the next one when that
        // starts with the rest of a wrapped spectrum; a comma and a line end are
        // one delimiter to the field input.
        const std::size_t last = line.find_last_not_of(" \t");
        if (!wraps || last == std::string::npos || line[last] != ',') {
            return Status::CutShort;
        }
        std::string next;
        const std::streampos before = in_.tellg();
        const std::size_t beforeLine = line_;
        if (!readLine(next) || !startsWithNumber(next)) {
            // Not a continuation: the next line is left for the next record.
            in_.clear();
            in_.seekg(before);
            line_ = beforeLine;
            return Status::CutShort;
        }
        line.erase(last + 1);
        line += next;
    }
}

} // namespace tw::batch
