// Serial ports of the user's own. Port n may also be a symbolic link named
// "port<n>" in a folder that belongs to the user alone:
//   $XDG_RUNTIME_DIR/tintwise, or /tmp/tintwise-<uid> when XDG_RUNTIME_DIR
//   is not set (or not an absolute path, which the XDG rule makes invalid).
// The instrument simulator makes such a link to its pseudo-terminal, so that
// Calibrate and Measure can be tried without root, which a link among the
// devices in /dev needs. A user may also make one by hand, to the stable
// name of a USB adapter say.
//
// Only a folder the user owns and no one else may write to is used: in /tmp
// anyone could have made the folder first and filled it with links.
//
// A simulator holds a write lock on "port<n>.lock" beside its link for as
// long as it runs, which tells a second simulator that the port is taken
// (and by which process). A link whose lock file nobody holds was left by a
// simulator that did not end properly: its pseudo-terminal may since belong
// to another program, so the link is passed over. A link without a lock file
// (made by hand) counts while what it leads to exists.
//
// No Qt: the simulator uses this too. POSIX only; elsewhere there are none.
#pragma once

#include <filesystem>
#include <string>

namespace tw::services {

// The folder, for an XDG_RUNTIME_DIR (null or empty when not set) and a user.
[[nodiscard]] std::filesystem::path userPortFolder(const char *xdgRuntimeDir, unsigned long uid);
// The folder of the user running the program, from the environment.
[[nodiscard]] std::filesystem::path userPortFolder();

// "port<n>" and "port<n>.lock" in a folder.
[[nodiscard]] std::filesystem::path userPortLink(const std::filesystem::path &folder, int port);
[[nodiscard]] std::filesystem::path userPortLock(const std::filesystem::path &folder, int port);

// True when `folder` is a folder (not a link to one) that the user running
// the program owns and no one else may write to; else false, with the
// reason in `why`.
[[nodiscard]] bool isPrivateFolder(const std::filesystem::path &folder, std::string *why = nullptr);

// The process of the simulator serving port n in `folder`, 0 when none does.
[[nodiscard]] long userPortHolder(const std::filesystem::path &folder, int port);

// The device port n leads to through `folder` (the link followed to its
// end), or an empty text when the folder has no usable link for it.
[[nodiscard]] std::string userPortDevice(const std::filesystem::path &folder, int port);

// Port n taken by a simulator: the folder made (mode 0700) when it is
// missing, the lock held and the link made to `device`. The lock lasts as
// long as the claim or the process; release() removes the link and the lock
// file.
class UserPortClaim {
public:
    UserPortClaim() = default;
    UserPortClaim(const UserPortClaim &) = delete;
    UserPortClaim &operator=(const UserPortClaim &) = delete;
    ~UserPortClaim() { release(); }

    // False, with the reason in `error`, when the folder is not the user's
    // alone, another simulator holds the port, or a file that is not a link
    // stands where the link goes. A link left by a simulator that did not
    // end properly is replaced.
    bool claim(const std::filesystem::path &folder, int port, const std::string &device,
        std::string &error);
    // Removes the link and lets go of the lock.
    void release();

    // The link and the lock file made, empty before claim(). A process
    // stopped by a signal removes them itself (with unlink, which a signal
    // handler may call).
    [[nodiscard]] const std::string &link() const { return link_; }
    [[nodiscard]] const std::string &lockFile() const { return lock_; }

private:
    int lockFd_ = -1;
    std::string link_;
    std::string lock_;
};

} // namespace tw::services
