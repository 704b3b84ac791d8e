#include "app/working_folder.h"

#include "text/textfile.h"

#include <system_error>

namespace tw::app {

namespace fs = std::filesystem;

std::vector<fs::path> installedDataFolders(const fs::path &executableDir) {
    return { executableDir, executableDir / ".." / "share" / "tintwise" };
}

UserFolder findUserFolder(const char *xdgDataHome, const char *home) {
    // The XDG rule: a relative XDG_DATA_HOME is invalid and ignored.
    if (xdgDataHome != nullptr && *xdgDataHome != '\0' && fs::path(xdgDataHome).is_absolute()) {
        return { fs::path(xdgDataHome) / "tintwise", {}, {} };
    }
    if (home != nullptr && *home != '\0') {
        return { fs::path(home) / ".local" / "share" / "tintwise", fs::path(home), {} };
    }
    return { {}, {},
        "Neither XDG_DATA_HOME nor HOME is set: there is no folder of your own to work in." };
}

fs::path userDataFolder(const char *xdgDataHome, const char *home) {
    return findUserFolder(xdgDataHome, home).folder;
}

WorkingFolder chooseWorkingFolder(const fs::path &startFolder, const fs::path &userFolder,
    const std::vector<fs::path> &dataFolders) {
    return chooseWorkingFolder(startFolder, UserFolder { userFolder, {}, {} }, dataFolders);
}

WorkingFolder chooseWorkingFolder(
    const fs::path &startFolder, const UserFolder &user, const std::vector<fs::path> &dataFolders) {
    std::error_code ec;
    if (fs::exists(startFolder / "Muncie.dat", ec)) {
        return { startFolder, false, {}, {} };
    }
    if (user.folder.empty()) {
        return { startFolder, false, {}, user.problem };
    }
    const fs::path &userFolder = user.folder;
    WorkingFolder out { userFolder, true, {}, {} };
    if (!user.home.empty() && !fs::is_directory(user.home, ec)) {
        const bool there = fs::exists(user.home, ec);
        out.problem = "Cannot make the folder " + userFolder.string() + ": the home folder "
            + user.home.string()
            + (there     ? " is not a folder"
                    : ec ? ": " + ec.message()
                         : " does not exist");
        out.folder = startFolder;
        out.perUser = false;
        return out;
    }
    fs::create_directories(userFolder, ec);
    if (ec) {
        out.problem = "Cannot make the folder " + userFolder.string() + ": " + ec.message();
        out.folder = startFolder;
        out.perUser = false;
        return out;
    }
    for (const std::string &name : shippedDataFiles) {
        const fs::path target = userFolder / name;
        if (fs::exists(target, ec)) {
            continue; // the user's own copy stays
        }
        for (const fs::path &from : dataFolders) {
            if (!fs::is_regular_file(from / name, ec)) {
                continue;
            }
            // Written under a temporary name and renamed, so that a copy cut
            // off half-way is never taken for the data file next time.
            std::string contents, error;
            text::PartFile copy;
            if (text::readFile((from / name).string(), contents, error)
                && copy.open(target.string())) {
                copy.write(contents);
                if (copy.commit()) {
                    out.seeded.push_back(name);
                    break;
                }
            }
            out.problem = "Cannot copy " + (from / name).string() + " to " + userFolder.string();
            break;
        }
    }
    return out;
}

} // namespace tw::app
