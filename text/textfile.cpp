// Sequential text files: comma-separated field input, line input, list-print
// and write output, and whole-file reading and writing.
//
// The files the program exchanges (palettes, the settings file, batch import
// and export files, spectra) are small, so a file is read whole into memory
// and parsed there, and output is built in a string and written in one go.
// Files are opened in binary mode: the writer emits CR LF itself, and the
// reader accepts CR LF, LF and a lone CR as line ends, so files made on any
// system read alike.
//
// Field input follows the classic comma-separated rules: leading blanks are
// skipped, a quoted field may hold commas, an unquoted field ends at a comma
// or a line end and loses trailing blanks; a comma directly before a line end
// ends the line too, so a line written with a trailing comma yields no extra
// empty field. A quote that is never closed ends at the line end, so that one
// stray quote cannot swallow the rest of a file into a single field.
//
// Print zones are 14 columns wide, as in list-print output.
#include "text/textfile.h"

#include "text/numbers.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tw::text {

namespace {

constexpr std::size_t zoneWidth = 14;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Steps over one line end (CR LF, LF or CR) at pos, if there is one.
void skipLineEnd(const std::string &text, std::size_t &pos) {
    if (pos < text.size() && text[pos] == '\r') {
        ++pos;
        if (pos < text.size() && text[pos] == '\n') {
            ++pos;
        }
    } else if (pos < text.size() && text[pos] == '\n') {
        ++pos;
    }
}

std::string systemReason(int err) {
    return std::generic_category().message(err);
}

std::string failure(const char *what, const std::string &path, int err) {
    return std::string("Cannot ") + what + " \"" + path + "\": " + systemReason(err);
}

int errorOr(int fallback) {
    return errno != 0 ? errno : fallback;
}

// Hands what the system holds of the file to the disk, so that the rename
// that follows never puts an empty or short file in place of the old one
// after a power cut.
int syncToDisk(std::FILE *file) {
    errno = 0;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0 ? 0 : errorOr(EIO);
#else
    return fsync(fileno(file)) == 0 ? 0 : errorOr(EIO);
#endif
}

int cutBackTo(std::FILE *file, long size) {
#ifdef _WIN32
    return _chsize_s(_fileno(file), size);
#else
    return ftruncate(fileno(file), static_cast<off_t>(size)) == 0 ? 0 : errorOr(EIO);
#endif
}

// Writes the whole of `contents` and flushes it; the first error, or 0.
// A full disk shows at the latest at the flush, while the file is still open.
int writeAll(std::FILE *file, std::string_view contents) {
    errno = 0;
    const std::size_t written
        = contents.empty() ? 0 : std::fwrite(contents.data(), 1, contents.size(), file);
    if (written != contents.size()) {
        return errorOr(EIO);
    }
    errno = 0;
    return std::fflush(file) == 0 ? 0 : errorOr(EIO);
}

// Closes a file written to (buffered data reach the disk only here, so a
// full disk may show now) and reports the first failure of the write.
bool closeWritten(std::FILE *file, const std::string &path, int err, std::string &error) {
    errno = 0;
    if (std::fclose(file) != 0 && err == 0) {
        err = errorOr(EIO);
    }
    if (err != 0) {
        error = failure("write to", path, err);
        return false;
    }
    error.clear();
    return true;
}

// After a rename, hands the folder's changed entry to the disk, so that
// the new file is still the one in place after a power cut. Where the system
// cannot (no such call, a folder that will not open) the rename stands as it
// is: the file is already in place.
void syncFolderOf(const std::string &path) {
#ifndef _WIN32
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty()) {
        folder = ".";
    }
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
#else
    (void)path;
#endif
}

} // namespace

FieldReader::FieldReader(std::string text)
    : text_(std::move(text)) { }

std::string FieldReader::readField() {
    const std::size_t size = text_.size();
    while (pos_ < size && isBlank(text_[pos_])) {
        ++pos_;
    }
    std::string field;
    if (pos_ < size && text_[pos_] == '"') {
        ++pos_;
        const std::size_t start = pos_;
        while (pos_ < size && text_[pos_] != '"' && !isLineEnd(text_[pos_])) {
            ++pos_;
        }
        field = text_.substr(start, pos_ - start);
        if (pos_ < size && text_[pos_] == '"') {
            ++pos_;
        }
        // Whatever follows the closing quote up to the delimiter is dropped.
        while (pos_ < size && text_[pos_] != ',' && !isLineEnd(text_[pos_])) {
            ++pos_;
        }
    } else {
        const std::size_t start = pos_;
        while (pos_ < size && text_[pos_] != ',' && !isLineEnd(text_[pos_])) {
            ++pos_;
        }
        std::size_t end = pos_;
        while (end > start && isBlank(text_[end - 1])) {
            --end;
        }
        field = text_.substr(start, end - start);
    }
    // Consume the delimiter: a comma, a line end, or a comma and a line end.
    if (pos_ < size && text_[pos_] == ',') {
        ++pos_;
    }
    skipLineEnd(text_, pos_);
    return field;
}

double FieldReader::readNumber() {
    return leadingNumber(readField());
}

std::string FieldReader::readLine() {
    const std::size_t size = text_.size();
    const std::size_t start = pos_;
    while (pos_ < size && !isLineEnd(text_[pos_])) {
        ++pos_;
    }
    std::string line = text_.substr(start, pos_ - start);
    skipLineEnd(text_, pos_);
    return line;
}

bool FieldReader::atEnd() const {
    return pos_ >= text_.size();
}

bool FieldReader::atLineStart() const {
    return pos_ == 0 || isLineEnd(text_[pos_ - 1]);
}

void TextWriter::print(std::string_view text) {
    out_.append(text);
}

void TextWriter::printNumber(float value) {
    out_ += text::printNumber(value);
}

void TextWriter::printZone() {
    // Always moves on, at least one blank, so that items never run together.
    const std::size_t col = column();
    out_.append(zoneWidth - col % zoneWidth, ' ');
}

void TextWriter::writeText(std::string_view text) {
    out_ += '"';
    out_.append(text);
    out_ += "\",";
}

void TextWriter::writeNumber(float value) {
    out_ += numberDigits(value);
    out_ += ',';
}

void TextWriter::endLine() {
    out_ += "\r\n";
}

std::size_t TextWriter::column() const {
    const std::size_t lastEnd = out_.find_last_of("\r\n");
    return lastEnd == std::string::npos ? out_.size() : out_.size() - lastEnd - 1;
}

bool readFile(const std::string &path, std::string &contents, std::string &error) {
    errno = 0;
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = failure("open file for reading", path, errno != 0 ? errno : EIO);
        return false;
    }
    std::string data;
    char buffer[65536];
    int err = 0;
    for (;;) {
        errno = 0;
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
        data.append(buffer, got);
        if (got < sizeof buffer) {
            if (std::ferror(file) != 0) {
                err = errno != 0 ? errno : EIO;
            }
            break;
        }
    }
    std::fclose(file);
    if (err != 0) {
        error = failure("read", path, err);
        return false;
    }
    contents = std::move(data);
    error.clear();
    return true;
}

PartFile::~PartFile() {
    discard();
}

bool PartFile::open(const std::string &target, std::string_view suffix) {
    discard();
    target_ = target;
    dest_ = target;
    direct_ = false;
    error_.clear();
    reason_.clear();
#ifndef _WIN32
    struct stat st { };
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists) {
        // A link is followed: the file it names is the one replaced, and the
        // link stays a link.
        std::error_code ec;
        const std::filesystem::path real = std::filesystem::canonical(target, ec);
        if (!ec) {
            dest_ = real.string();
        }
    }
    int fd = -1;
    if (exists && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
        // No file a failed run could spoil (a terminal, a pipe, /dev/null):
        // it is written as it is, never renamed over.
        direct_ = true;
        part_ = target;
        errno = 0;
        fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    } else {
        // The part file is always a new file: never an existing one, which
        // might be a left-over, a link planted there, or the very input the
        // run is reading.
        for (int k = 0; k < 100; ++k) {
            part_ = k == 0 ? dest_ + std::string(suffix)
                           : dest_ + "." + std::to_string(k) + std::string(suffix);
            errno = 0;
            fd = ::open(part_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0 || errno != EEXIST) {
                break;
            }
        }
        if (fd >= 0 && exists) {
            // The new file keeps the old one's permissions.
            (void)::fchmod(fd, st.st_mode & 07777);
        }
    }
    if (fd >= 0) {
        file_ = ::fdopen(fd, "wb");
        if (file_ == nullptr) {
            const int err = errorOr(EIO);
            ::close(fd);
            if (!direct_) {
                std::remove(part_.c_str());
            }
            errno = err;
        }
    }
#else
    part_ = target + std::string(suffix);
    errno = 0;
    file_ = std::fopen(part_.c_str(), "wb");
#endif
    if (file_ == nullptr) {
        fail("open file for writing", errorOr(EIO));
        return false;
    }
    return true;
}

void PartFile::write(std::string_view text) {
    if (file_ == nullptr || failed() || text.empty()) {
        return;
    }
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
        fail("write to", errorOr(EIO));
    }
}

bool PartFile::commit() {
    if (file_ == nullptr) {
        if (!failed()) {
            fail("write to", EBADF); // never opened, or committed already
        }
        return false;
    }
    // A full disk shows at the latest at the flush or the sync, while the
    // file is still open; the close may report it too. A device or a pipe
    // written directly has nothing to hand to a disk.
    if (!failed()) {
        errno = 0;
        const int err = std::fflush(file_) != 0 ? errorOr(EIO) : direct_ ? 0 : syncToDisk(file_);
        if (err != 0) {
            fail("write to", err);
        }
    }
    errno = 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed && !failed()) {
        fail("write to", errorOr(EIO));
    }
    if (direct_) {
        return !failed();
    }
    if (!failed()) {
        errno = 0;
        if (std::rename(part_.c_str(), dest_.c_str()) != 0) {
            fail("replace", errorOr(EIO));
        }
    }
    if (failed()) {
        std::remove(part_.c_str());
        return false;
    }
    syncFolderOf(dest_);
    return true;
}

void PartFile::discard() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
        if (!direct_) {
            std::remove(part_.c_str());
        }
    }
}

void PartFile::fail(const char *what, int err) {
    if (error_.empty()) {
        error_ = failure(what, target_, err);
        reason_ = systemReason(err);
    }
}

bool writeFile(const std::string &path, std::string_view contents, std::string &error) {
    // The new contents go to a file beside the old one, which the rename
    // replaces in one step: a write that fails part-way (a full disk) or is
    // cut off leaves the old file as it was.
    PartFile file;
    if (file.open(path)) {
        file.write(contents);
    }
    if (!file.commit()) {
        error = file.error();
        return false;
    }
    error.clear();
    return true;
}

bool appendFile(const std::string &path, std::string_view contents, std::string &error) {
    errno = 0;
    std::FILE *file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) {
        error = failure("open file for writing", path, errorOr(EIO));
        return false;
    }
    // What was there before: a write that fails part-way (a full disk) is
    // cut off again, so that the file holds the whole new text or none of
    // it, never half a line for the next reader to trip over. Unbuffered, so
    // that nothing of the failed text is left in a buffer for the close to
    // write after the cut.
    std::setvbuf(file, nullptr, _IONBF, 0);
    errno = 0;
    const long before = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1L;
    if (before < 0) {
        const int err = errorOr(EIO);
        std::fclose(file);
        error = failure("write to", path, err);
        return false;
    }
    int err = writeAll(file, contents);
    if (err != 0) {
        (void)cutBackTo(file, before);
    }
    return closeWritten(file, path, err, error);
}

} // namespace tw::text
