// The lock is a POSIX record lock (fcntl), not flock, because its query
// (F_GETLK) tells who holds it without taking it. Such locks belong to the
// process and go at the first close of any descriptor of the file: the
// simulator opens its lock file once, and never looks at it again while it
// holds the lock.
#include "services/serial/user_ports.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tw::services {

namespace fs = std::filesystem;

fs::path userPortFolder(const char *xdgRuntimeDir, unsigned long uid) {
    if (xdgRuntimeDir != nullptr && *xdgRuntimeDir != '\0'
        && fs::path(xdgRuntimeDir).is_absolute()) {
        return fs::path(xdgRuntimeDir) / "tintwise";
    }
    return fs::path("/tmp") / ("tintwise-" + std::to_string(uid));
}

fs::path userPortLink(const fs::path &folder, int port) {
    return folder / ("port" + std::to_string(port));
}

fs::path userPortLock(const fs::path &folder, int port) {
    return folder / ("port" + std::to_string(port) + ".lock");
}

#ifdef _WIN32

fs::path userPortFolder() {
    return {};
}
bool isPrivateFolder(const fs::path &, std::string *why) {
    if (why) {
        *why = "there are no ports of the user's own here";
    }
    return false;
}
long userPortHolder(const fs::path &, int) {
    return 0;
}
std::string userPortDevice(const fs::path &, int) {
    return {};
}
bool UserPortClaim::claim(const fs::path &, int, const std::string &, std::string &error) {
    error = "there are no ports of the user's own here";
    return false;
}
void UserPortClaim::release() { }

#else

fs::path userPortFolder() {
    return userPortFolder(std::getenv("XDG_RUNTIME_DIR"), ::geteuid());
}

bool isPrivateFolder(const fs::path &folder, std::string *why) {
    struct stat st { };
    std::string reason;
    if (::lstat(folder.c_str(), &st) != 0) {
        reason = std::strerror(errno);
    } else if (S_ISLNK(st.st_mode)) {
        reason = "is a link";
    } else if (!S_ISDIR(st.st_mode)) {
        reason = "is not a folder";
    } else if (st.st_uid != ::geteuid()) {
        reason = "belongs to another user (uid " + std::to_string(st.st_uid) + ")";
    } else if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        reason = "may be written to by other users";
    }
    if (why) {
        *why = reason;
    }
    return reason.empty();
}

namespace {

// The process holding a write lock on the open file, 0 when none does.
long holderOf(int fd) {
    struct flock query { };
    query.l_type = F_WRLCK;
    query.l_whence = SEEK_SET;
    if (::fcntl(fd, F_GETLK, &query) != 0 || query.l_type == F_UNLCK) {
        return 0;
    }
    return static_cast<long>(query.l_pid);
}

} // namespace

long userPortHolder(const fs::path &folder, int port) {
    const int fd = ::open(userPortLock(folder, port).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return 0;
    }
    const long holder = holderOf(fd);
    ::close(fd);
    return holder;
}

std::string userPortDevice(const fs::path &folder, int port) {
    if (port < 1 || !isPrivateFolder(folder)) {
        return {};
    }
    const fs::path link = userPortLink(folder, port);
    struct stat st { };
    if (::lstat(link.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        return {};
    }
    if (::lstat(userPortLock(folder, port).c_str(), &st) == 0
        && userPortHolder(folder, port) == 0) {
        return {}; // left by a simulator that did not end properly
    }
    std::error_code ec;
    const fs::path device = fs::canonical(link, ec);
    return ec ? std::string() : device.string();
}

bool UserPortClaim::claim(
    const fs::path &folder, int port, const std::string &device, std::string &error) {
    release();
    if (port < 1) {
        error = "no port " + std::to_string(port);
        return false;
    }
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        error = "cannot make the folder " + folder.string() + ": " + std::strerror(errno);
        return false;
    }
    std::string why;
    if (!isPrivateFolder(folder, &why)) {
        error = folder.string() + " " + why + ": it cannot hold your ports";
        return false;
    }
    const fs::path lock = userPortLock(folder, port);
    // Whether a lock file was there before: a link beside one was made by a
    // simulator; a link without one was made by hand.
    int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    const bool lockIsNew = fd >= 0;
    if (fd < 0 && errno == EEXIST) {
        fd = ::open(lock.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    }
    if (fd < 0) {
        error = "cannot open " + lock.string() + ": " + std::strerror(errno);
        return false;
    }
    struct flock hold { };
    hold.l_type = F_WRLCK;
    hold.l_whence = SEEK_SET;
    if (::fcntl(fd, F_SETLK, &hold) != 0) {
        const int reason = errno;
        const long holder = holderOf(fd);
        ::close(fd);
        if (reason == EACCES || reason == EAGAIN) {
            error = "port " + std::to_string(port) + " is served by another simulator"
                + (holder > 0 ? " (process " + std::to_string(holder) + ")" : std::string());
        } else {
            error = "cannot lock " + lock.string() + ": " + std::strerror(reason);
        }
        return false;
    }
    const fs::path link = userPortLink(folder, port);
    struct stat st { };
    if (::lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            ::unlink(lock.c_str());
            ::close(fd);
            error = link.string() + " exists and is not a link";
            return false;
        }
        if (lockIsNew) {
            ::unlink(lock.c_str());
            ::close(fd);
            error = link.string()
                + " is a link of your own (no simulator made it): choose "
                  "another port, or remove the link first";
            return false;
        }
        ::unlink(link.c_str()); // left by a simulator that did not end properly
    }
    if (::symlink(device.c_str(), link.c_str()) != 0) {
        error = "cannot link " + link.string() + ": " + std::strerror(errno);
        ::unlink(lock.c_str());
        ::close(fd);
        return false;
    }
    lockFd_ = fd;
    link_ = link.string();
    lock_ = lock.string();
    return true;
}

void UserPortClaim::release() {
    if (lockFd_ < 0) {
        return;
    }
    // The lock file goes while the lock is still held, so that no other
    // simulator takes a lock on a file on its way out.
    ::unlink(link_.c_str());
    ::unlink(lock_.c_str());
    ::close(lockFd_);
    lockFd_ = -1;
    link_.clear();
    lock_.clear();
}

#endif

} // namespace tw::services
