// Where the program works. It opens its files by bare name in its working
// folder, so the folder must hold the renotation data and the other shipped
// data files:
//  - started in a folder that holds "Muncie.dat", it works there;
//  - otherwise (from the desktop menu, or from a shell anywhere else) it
//    works in a folder of the user's own, "tintwise" under the XDG data home
//    ($XDG_DATA_HOME, or ~/.local/share when that is not set), made on first
//    use and seeded with the installed data files it lacks. A file the user
//    has there is never replaced.
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

// "tintwise" under $XDG_DATA_HOME, or ~/.local/share/tintwise; empty when
// neither XDG_DATA_HOME nor HOME is set.
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
    const std::filesystem::path &userFolder, const std::vector<std::filesystem::path> &dataFolders);

} // namespace tw::app
