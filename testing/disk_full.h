// A disk that fills up, for the tests of what a failed write leaves behind.
//
// DiskFullAfter: while it lives, no file of this process grows beyond
// `bytes`; a write that would pass that size writes what fits and then fails
// with EFBIG, as a write to a full disk fails part-way with ENOSPC. It needs
// no privilege (a file-size limit of the process, with SIGXFSZ ignored so the
// write fails instead of ending the process).
//
// TinyDisk: a real full disk where the machine allows it: a tmpfs of `bytes`
// mounted on a folder (root only); available() says whether it is there.
#pragma once

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <string>

#include <sys/mount.h>
#include <sys/resource.h>

namespace tw::services {

class DiskFullAfter {
public:
    explicit DiskFullAfter(std::uintmax_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limited = old_;
        limited.rlim_cur = static_cast<rlim_t>(bytes);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        set_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~DiskFullAfter() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }
    DiskFullAfter(const DiskFullAfter &) = delete;
    DiskFullAfter &operator=(const DiskFullAfter &) = delete;

    [[nodiscard]] bool active() const { return set_; }

private:
    rlimit old_ {};
    void (*previous_)(int) = SIG_DFL;
    bool set_ = false;
};

class TinyDisk {
public:
    TinyDisk(std::filesystem::path folder, std::uintmax_t bytes)
        : folder_(std::move(folder)) {
        std::filesystem::create_directories(folder_);
        const std::string options = "size=" + std::to_string(bytes);
        mounted_ = mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~TinyDisk() {
        if (mounted_) {
            umount2(folder_.c_str(), MNT_DETACH);
        }
    }
    TinyDisk(const TinyDisk &) = delete;
    TinyDisk &operator=(const TinyDisk &) = delete;

    [[nodiscard]] bool available() const { return mounted_; }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
};

} // namespace tw::services
