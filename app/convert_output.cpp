#include "app/convert_output.h"

#include <cerrno>
#include <cstring>
#include <ostream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw::app {

bool Output::drain() {
    if (!error_.empty()) {
        pending_.clear();
        return false;
    }
    if (!pending_.empty()) {
        const bool ok = put(pending_);
        pending_.clear();
        return ok;
    }
    return true;
}

bool Output::finish() {
    const bool drained = drain();
    if (!drained) {
        (void)complete();
        return false;
    }
    return complete() && error_.empty();
}

namespace {

class StreamOutput : public Output {
public:
    explicit StreamOutput(std::ostream &out)
        : out_(out) { }

protected:
    bool put(std::string_view text) override {
        out_.write(text.data(), static_cast<std::streamsize>(text.size()));
        out_.flush();
        if (!out_) {
            error_ = "the output stream failed";
            return false;
        }
        return true;
    }

private:
    std::ostream &out_;
};

class DescriptorOutput : public Output {
public:
    DescriptorOutput(int fd, bool close)
        : fd_(fd)
        , close_(close) { }
    ~DescriptorOutput() override {
        if (close_ && fd_ >= 0) {
            ::close(fd_);
        }
    }

protected:
    bool put(std::string_view text) override {
        while (!text.empty()) {
            const ssize_t n = ::write(fd_, text.data(), text.size());
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                error_ = std::strerror(errno);
                return false;
            }
            text.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }
    bool complete() override {
        if (close_ && fd_ >= 0) {
            const int fd = fd_;
            fd_ = -1;
            if (::close(fd) != 0 && error_.empty()) {
                error_ = std::strerror(errno);
                return false;
            }
        }
        return error_.empty();
    }

private:
    int fd_;
    bool close_;
};

class PartFileOutput : public Output {
public:
    bool open(const std::string &path, std::string &error) {
        if (!part_.open(path)) {
            error = part_.error();
            return false;
        }
        return true;
    }

protected:
    bool put(std::string_view text) override {
        part_.write(text);
        if (part_.failed()) {
            error_ = part_.reason();
            return false;
        }
        return true;
    }

public:
    bool abandon() override {
        part_.discard();
        return true;
    }

protected:
    bool complete() override {
        if (!error_.empty()) {
            part_.discard();
            return false;
        }
        if (!part_.commit()) {
            error_ = part_.reason();
            return false;
        }
        return true;
    }

private:
    text::PartFile part_;
};

} // namespace

std::unique_ptr<Output> streamOutput(std::ostream &out) {
    return std::make_unique<StreamOutput>(out);
}

std::unique_ptr<Output> descriptorOutput(int fd, bool close) {
    return std::make_unique<DescriptorOutput>(fd, close);
}

bool isRegularFile(int fd) {
    struct stat st { };
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

std::unique_ptr<Output> fileOutput(const std::string &path, bool &regular, std::string &error) {
    struct stat st { };
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        regular = false;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) {
            error = "cannot open \"" + path + "\" for writing: " + std::strerror(errno);
            return nullptr;
        }
        return descriptorOutput(fd, true);
    }
    regular = true;
    auto out = std::make_unique<PartFileOutput>();
    if (!out->open(path, error)) {
        return nullptr;
    }
    return out;
}

} // namespace tw::app
