// The user's own ports: where their folder is and which links count, against
// the faults of a shared machine: a folder others may write to or that is
// not the user's, a link left by a simulator that was killed, a file where
// the link goes. (The simulator's claim as a user meets it, a port already
// served and the clean-up, is tried end to end in SimulatorPort.)
#include "services/serial/user_ports.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

namespace tw::services {
namespace {

namespace fs = std::filesystem;

TEST(UserPortFolder, RuntimeFolderOrAFolderInTmpNamedForTheUser) {
    EXPECT_EQ(userPortFolder("/run/user/1000", 1000), fs::path("/run/user/1000/tintwise"));
    EXPECT_EQ(userPortFolder(nullptr, 1000), fs::path("/tmp/tintwise-1000"));
    EXPECT_EQ(userPortFolder("", 42), fs::path("/tmp/tintwise-42"));
    EXPECT_EQ(userPortFolder("run/user/1000", 7), fs::path("/tmp/tintwise-7"))
        << "a relative XDG_RUNTIME_DIR is not valid";
    EXPECT_EQ(userPortLink("/f", 3), fs::path("/f/port3"));
}

class UserPorts : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("tw_user_ports_" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root);
        fs::permissions(root, fs::perms::owner_all);
        folder = root / "tintwise";
        device = root / "device";
        std::ofstream(device) << "";
    }
    void TearDown() override {
        for (const pid_t child : children) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        }
        fs::remove_all(root);
    }
    // Another process claims port `port` and keeps it until killed (or
    // ends at once when the claim fails).
    pid_t claimElsewhere(int port) {
        int ready[2];
        EXPECT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(ready[0]);
            UserPortClaim claim;
            std::string error;
            const char ok = claim.claim(folder, port, device.string(), error) ? '1' : '0';
            (void)!::write(ready[1], &ok, 1);
            if (ok == '1') {
                ::pause();
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        char ok = '0';
        EXPECT_EQ(::read(ready[0], &ok, 1), 1);
        ::close(ready[0]);
        EXPECT_EQ(ok, '1') << "the other process could not claim port " << port;
        children.push_back(child);
        return child;
    }

    fs::path root;
    fs::path folder;
    fs::path device;
    std::vector<pid_t> children;
};

TEST_F(UserPorts, ALinkLeftByAKilledSimulatorIsPassedOverAndReplaced) {
    const pid_t other = claimElsewhere(1);
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    children.clear();
    ASSERT_TRUE(fs::is_symlink(folder / "port1")) << "a killed process removes nothing";
    EXPECT_EQ(userPortHolder(folder, 1), 0);
    EXPECT_EQ(userPortDevice(folder, 1), "")
        << "its pseudo-terminal may since belong to another program";

    const fs::path mine = root / "mine";
    std::ofstream(mine) << "";
    UserPortClaim claim;
    std::string error;
    ASSERT_TRUE(claim.claim(folder, 1, mine.string(), error)) << error;
    EXPECT_EQ(fs::read_symlink(folder / "port1"), mine);
}

TEST_F(UserPorts, ALinkMadeByHandCountsWhileItsDeviceExists) {
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::owner_all);
    fs::create_symlink(device, folder / "port2");
    EXPECT_EQ(userPortDevice(folder, 2), fs::canonical(device).string());
    EXPECT_EQ(userPortDevice(folder, 1), "");
    EXPECT_EQ(userPortDevice(folder, 0), "");

    fs::remove(device);
    EXPECT_EQ(userPortDevice(folder, 2), "") << "a link that leads nowhere";

    // A simulator never takes a port linked by hand.
    UserPortClaim claim;
    std::string error;
    const fs::path other = root / "other";
    std::ofstream(other) << "";
    EXPECT_FALSE(claim.claim(folder, 2, other.string(), error));
    EXPECT_NE(error.find("of your own"), std::string::npos) << error;
    EXPECT_EQ(fs::read_symlink(folder / "port2"), device);
    EXPECT_FALSE(fs::exists(folder / "port2.lock"));

    // Only a link counts, not a file put in its place.
    std::ofstream(folder / "port3") << "";
    EXPECT_EQ(userPortDevice(folder, 3), "");
}

TEST_F(UserPorts, AFolderOthersMayWriteToIsNeitherUsedNorClaimed) {
    fs::create_directory(folder);
    fs::create_symlink(device, folder / "port2");
    fs::permissions(folder, fs::perms(0777));
    std::string why;
    EXPECT_FALSE(isPrivateFolder(folder, &why));
    EXPECT_NE(why.find("other users"), std::string::npos) << why;
    EXPECT_EQ(userPortDevice(folder, 2), "");
    UserPortClaim claim;
    std::string error;
    EXPECT_FALSE(claim.claim(folder, 1, device.string(), error));
    EXPECT_NE(error.find(folder.string()), std::string::npos) << error;

    // Nor one that is a link to a folder (of someone else's choosing).
    const fs::path elsewhere = root / "elsewhere";
    fs::create_directory(elsewhere);
    fs::permissions(elsewhere, fs::perms::owner_all);
    const fs::path linked = root / "linked";
    fs::create_directory_symlink(elsewhere, linked);
    EXPECT_FALSE(isPrivateFolder(linked));
    EXPECT_FALSE(claim.claim(linked, 1, device.string(), error));
}

TEST_F(UserPorts, AFolderOfAnotherUserIsNotUsed) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can give a folder away";
    }
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::owner_all);
    fs::create_symlink(device, folder / "port2");
    ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
    std::string why;
    EXPECT_FALSE(isPrivateFolder(folder, &why));
    EXPECT_NE(why.find("another user"), std::string::npos) << why;
    EXPECT_EQ(userPortDevice(folder, 2), "");
}

TEST_F(UserPorts, AFileWhereTheLinkGoesIsNeverReplaced) {
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::owner_all);
    std::ofstream(folder / "port4") << "precious";
    UserPortClaim claim;
    std::string error;
    EXPECT_FALSE(claim.claim(folder, 4, device.string(), error));
    EXPECT_NE(error.find("is not a link"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / "port4")));
    EXPECT_FALSE(fs::exists(folder / "port4.lock")) << "a failed claim leaves no lock file";
}

} // namespace
} // namespace tw::services
