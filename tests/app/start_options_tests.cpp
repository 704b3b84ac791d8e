// The windowed program's command line: the options it knows, read in order,
// and every other word a usage error that names it.
#include "app/start_options.h"

#include <gtest/gtest.h>

namespace tw::app {
namespace {

using Args = std::vector<std::string>;

StartAction actionOf(const Args &args) {
    return parseStartOptions(args).action;
}

TEST(StartOptions, KnownOptions) {
    EXPECT_EQ(actionOf({}), StartAction::Window);
    EXPECT_EQ(actionOf({ "--check" }), StartAction::Check);
    EXPECT_EQ(actionOf({ "--help" }), StartAction::Help);
    EXPECT_EQ(actionOf({ "-h" }), StartAction::Help);
    EXPECT_EQ(actionOf({ "--version" }), StartAction::Version);
    EXPECT_EQ(actionOf({ "--check", "--" }), StartAction::Check);
}

TEST(StartOptions, UnknownOptionIsAUsageErrorNamingIt) {
    const StartOptions bogus = parseStartOptions({ "--bogus" });
    EXPECT_EQ(bogus.action, StartAction::UsageError);
    EXPECT_NE(bogus.error.find("unknown option --bogus"), std::string::npos) << bogus.error;
    EXPECT_EQ(bogus.error.find('\n'), std::string::npos) << "one line";

    // Near misses of the real options are no exception.
    for (const char *word : { "-check", "--Check", "--check=yes", "--versions", "-v", "-" }) {
        EXPECT_EQ(actionOf({ word }), StartAction::UsageError) << word;
    }
    // After a known option too: the window must not open for it.
    EXPECT_EQ(actionOf({ "--check", "--bogus" }), StartAction::UsageError);
}

TEST(StartOptions, ArgumentsAreUsageErrors) {
    const StartOptions file = parseStartOptions({ "colours.txt" });
    EXPECT_EQ(file.action, StartAction::UsageError);
    EXPECT_NE(file.error.find("unexpected argument colours.txt"), std::string::npos) << file.error;
    // After "--" even an option's spelling is an argument.
    const StartOptions ended = parseStartOptions({ "--", "--check" });
    EXPECT_EQ(ended.action, StartAction::UsageError);
    EXPECT_NE(ended.error.find("unexpected argument --check"), std::string::npos) << ended.error;
}

TEST(StartOptions, ReadInOrder) {
    EXPECT_EQ(actionOf({ "--help", "--bogus" }), StartAction::Help);
    EXPECT_EQ(actionOf({ "--bogus", "--help" }), StartAction::UsageError);
    EXPECT_EQ(actionOf({ "--check", "--version" }), StartAction::Version);
}

} // namespace
} // namespace tw::app
