// Where the program works. It opens its files by bare name in its working
// folder, so the folder must hold the renotation data and the other shipped
// data files:
//  - started in a folder that holds "Muncie.dat", it works there;
//  - otherwise (from the desktop menu, or from a shell anywhere else) it
//    works in a folder of the user's own, "tintwise" under the XDG data home
//    ($XDG_DATA_HOME, or ~/.local/share when that is not set), made on first
//    use and seeded with the installed data files it lacks. A file the user
//    has there is never replaced.
// Without a folder of the user's own (neither XDG_DATA_HOME nor HOME set,
// or a home folder that does not exist, which the program never makes) it
// works in the start folder and says why.
// No Qt: plain files and folders.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tw::app {

// The data files the program ships and seeds a working folder with.
inline const std::vector<std::string> shippedDataFiles
    = { "Muncie.dat", "ccnames.csv", "TestImage.jpg" };

// The folders an installed program finds its data files in: beside the
// program (the build tree), then ../share/tintwise.
[[nodiscard]] std::vector<std::filesystem::path> installedDataFolders(
    const std::filesystem::path &executableDir);

// The user's own folder: "tintwise" under $XDG_DATA_HOME, or
// ~/.local/share/tintwise.
struct UserFolder {
    std::filesystem::path folder; // empty when there is none
    // The home folder it lies in, which must exist already: a home folder is
    // the system's to make, never the program's. Empty under XDG_DATA_HOME,
    // which is made when it is missing, as the XDG rule asks.
    std::filesystem::path home;
    std::string problem; // why there is none
};

[[nodiscard]] UserFolder findUserFolder(const char *xdgDataHome, const char *home);

// The folder alone: empty when neither XDG_DATA_HOME nor HOME is set.
[[nodiscard]] std::filesystem::path userDataFolder(const char *xdgDataHome, const char *home);

struct WorkingFolder {
    std::filesystem::path folder;
    bool perUser = false; // the user's own folder, not the start folder
    std::vector<std::string> seeded; // files copied in on this start
    std::string problem; // why the folder could not be made or seeded
};

// The folder to work in, seeded as above. A problem (a folder that cannot
// be made, a copy that fails) is reported and the start folder is used;
// the program then says which data file it lacks, as it always does.
[[nodiscard]] WorkingFolder chooseWorkingFolder(const std::filesystem::path &startFolder,
    const UserFolder &userFolder, const std::vector<std::filesystem::path> &dataFolders);
[[nodiscard]] WorkingFolder chooseWorkingFolder(const std::filesystem::path &startFolder,
    const std::filesystem::path &userFolder, const std::vector<std::filesystem::path> &dataFolders);

} // namespace tw::app
