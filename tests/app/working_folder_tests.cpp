// The working-folder rule of the installed program: a folder with the data
// is used as it is; anywhere else the user's own folder, seeded with what it
// lacks and never overwriting what the user has there.
#include "app/working_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace tw::app {
namespace {

namespace fs = std::filesystem;

class WorkingFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("tw_workfolder_" + std::to_string(::getpid()));
        fs::remove_all(root);
        for (const char *d : { "start", "share", "xdg" }) {
            fs::create_directories(root / d);
        }
        write(root / "share" / "Muncie.dat", "installed table");
        write(root / "share" / "ccnames.csv", "installed names");
    }
    void TearDown() override { fs::remove_all(root); }
    static void write(const fs::path &p, const std::string &text) { std::ofstream(p) << text; }
    static std::string read(const fs::path &p) {
        std::ifstream in(p);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path root;
};

TEST_F(WorkingFolderTest, AFolderWithTheDataIsUsedAsItIs) {
    write(root / "start" / "Muncie.dat", "my table");
    const WorkingFolder w
        = chooseWorkingFolder(root / "start", root / "xdg" / "tintwise", { root / "share" });
    EXPECT_EQ(w.folder, root / "start");
    EXPECT_FALSE(w.perUser);
    EXPECT_FALSE(fs::exists(root / "xdg" / "tintwise")) << "nothing is made elsewhere";
}

TEST_F(WorkingFolderTest, AnyOtherFolderLeadsToTheSeededUserFolderThatKeepsTheUsersFiles) {
    const fs::path user = userDataFolder((root / "xdg").c_str(), "/home/nobody");
    ASSERT_EQ(user, root / "xdg" / "tintwise");
    const WorkingFolder first
        = chooseWorkingFolder(root / "start", user, { root / "missing", root / "share" });
    EXPECT_EQ(first.folder, user);
    EXPECT_TRUE(first.perUser);
    EXPECT_EQ(first.seeded, (std::vector<std::string> { "Muncie.dat", "ccnames.csv" }));
    EXPECT_EQ(read(user / "Muncie.dat"), "installed table");
    EXPECT_TRUE(first.problem.empty()) << first.problem;

    // The user's own table stays; a file deleted since is seeded again.
    write(user / "Muncie.dat", "the user's table");
    fs::remove(user / "ccnames.csv");
    const WorkingFolder second = chooseWorkingFolder(root / "start", user, { root / "share" });
    EXPECT_EQ(second.seeded, std::vector<std::string> { "ccnames.csv" });
    EXPECT_EQ(read(user / "Muncie.dat"), "the user's table");
    EXPECT_FALSE(fs::exists(user / "Muncie.dat.part"));
}

TEST_F(WorkingFolderTest, TheUserFolderFollowsTheXdgRule) {
    EXPECT_EQ(userDataFolder(nullptr, "/home/ann"), fs::path("/home/ann/.local/share/tintwise"));
    EXPECT_EQ(userDataFolder("", "/home/ann"), fs::path("/home/ann/.local/share/tintwise"));
    EXPECT_EQ(
        userDataFolder("relative/dir", "/home/ann"), fs::path("/home/ann/.local/share/tintwise"))
        << "a relative XDG_DATA_HOME is ignored";
    EXPECT_TRUE(userDataFolder(nullptr, nullptr).empty());

    // A user folder that cannot be made: the start folder, with the reason.
    write(root / "blocker", "a file where the folder should be");
    const WorkingFolder w
        = chooseWorkingFolder(root / "start", root / "blocker" / "tintwise", { root / "share" });
    EXPECT_EQ(w.folder, root / "start");
    EXPECT_NE(w.problem.find("blocker"), std::string::npos) << w.problem;
}

TEST_F(WorkingFolderTest, AHomeFolderThatIsMissingIsNeverMade) {
    const fs::path home = root / "gone";
    const WorkingFolder w = chooseWorkingFolder(
        root / "start", findUserFolder(nullptr, home.c_str()), { root / "share" });
    EXPECT_EQ(w.folder, root / "start");
    EXPECT_FALSE(w.perUser);
    EXPECT_FALSE(fs::exists(home)) << "the home folder was made";
    EXPECT_NE(w.problem.find(home.string() + " does not exist"), std::string::npos) << w.problem;

    write(root / "plain", "a file named as the home");
    const WorkingFolder file = chooseWorkingFolder(
        root / "start", findUserFolder(nullptr, (root / "plain").c_str()), { root / "share" });
    EXPECT_EQ(file.folder, root / "start");
    EXPECT_NE(file.problem.find("is not a folder"), std::string::npos) << file.problem;
}

TEST_F(WorkingFolderTest, AMissingXdgDataHomeIsMadeAsTheXdgRuleAsks) {
    const fs::path data = root / "new" / "data";
    const WorkingFolder w = chooseWorkingFolder(
        root / "start", findUserFolder(data.c_str(), (root / "gone").c_str()), { root / "share" });
    EXPECT_EQ(w.folder, data / "tintwise");
    EXPECT_TRUE(w.problem.empty()) << w.problem;
    EXPECT_EQ(read(data / "tintwise" / "Muncie.dat"), "installed table");
}

TEST_F(WorkingFolderTest, WithoutHomeTheProblemIsSaidUnlessTheStartFolderHasTheData) {
    const UserFolder none = findUserFolder(nullptr, nullptr);
    EXPECT_TRUE(none.folder.empty());
    const WorkingFolder w = chooseWorkingFolder(root / "start", none, { root / "share" });
    EXPECT_EQ(w.folder, root / "start");
    EXPECT_NE(w.problem.find("HOME"), std::string::npos) << w.problem;

    write(root / "start" / "Muncie.dat", "my table");
    const WorkingFolder there = chooseWorkingFolder(
        root / "start", findUserFolder(nullptr, (root / "gone").c_str()), { root / "share" });
    EXPECT_EQ(there.folder, root / "start");
    EXPECT_TRUE(there.problem.empty()) << "started where the data are, the home does not matter";
}

} // namespace
} // namespace tw::app
