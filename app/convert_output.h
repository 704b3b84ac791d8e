// Where tintwise-convert writes: standard output, a stream (tests), or the
// file -o names. Lines gather in a buffer and go out in blocks, or each at
// once when lines must be seen as they come (a pipe to a co-process, a
// terminal, --unbuffered). The first failure to write is kept and said:
// later writes do nothing, and the run ends with "write error".
#pragma once

#include "text/textfile.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace tw::app {

class Output {
public:
    virtual ~Output() = default;

    void write(std::string_view text) { pending_ += text; }
    void write(char c) { pending_ += c; }
    // Ends a line: it goes out now when lines are flushed one by one, else
    // when the buffer is full. False once writing has failed.
    bool endLine() {
        pending_ += '\n';
        if (lineFlush_ || pending_.size() >= 65536) {
            return drain();
        }
        return error_.empty();
    }
    // Sends what is pending; false once writing has failed.
    bool drain();
    // Sends what is pending and completes the output (a file -o names takes
    // its place now); false, with error(), when any write failed.
    bool finish();
    // Ends a run that failed: a file -o names is left as it was (what was
    // written beside it is removed); standard output and devices get what
    // is pending, as finish() sends it.
    virtual bool abandon() { return finish(); }

    void setLineFlush(bool on) { lineFlush_ = on; }
    [[nodiscard]] bool failed() const { return !error_.empty(); }
    // "No space left on device" and the like.
    [[nodiscard]] const std::string &error() const { return error_; }

protected:
    // Sends the text; false with error_ set when it cannot.
    virtual bool put(std::string_view text) = 0;
    virtual bool complete() { return true; }
    std::string error_;

private:
    std::string pending_;
    bool lineFlush_ = false;
};

// Onto a stream (the tests' string streams).
[[nodiscard]] std::unique_ptr<Output> streamOutput(std::ostream &out);
// Onto an open file descriptor (standard output); `close` closes it at the
// end and reports a failure of the close too.
[[nodiscard]] std::unique_ptr<Output> descriptorOutput(int fd, bool close);
// Into the file `path`: a regular file (or a new one) is written beside it
// and takes its place at the end, so that a failed run leaves it as it was;
// anything else (a FIFO, a terminal, /dev/null) is written directly. Null,
// with `error`, when it cannot be opened. `regular` says which.
[[nodiscard]] std::unique_ptr<Output> fileOutput(
    const std::string &path, bool &regular, std::string &error);

// Whether the descriptor is a regular file (output to it need not go out
// line by line).
[[nodiscard]] bool isRegularFile(int fd);

} // namespace tw::app
