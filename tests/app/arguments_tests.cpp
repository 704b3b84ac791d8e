// The command-line parser: option spellings, values, positional arguments
// and the errors a user sees, on a small table of its own and on the
// converter's.
#include "app/arguments.h"
#include "app/convert_options.h"

#include <gtest/gtest.h>

namespace tw::app {
namespace {

const std::vector<Subcommand> &table() {
    static const std::vector<Subcommand> t {
        { "run", "", 0, "runs", { { "fast", 0, "", "" }, { "table", 't', "FILE", "" } } },
        { "copy", "FROM [TO]", 2, "copies", { { "output", 'o', "FILE", "" } } },
    };
    return t;
}

ParsedArguments parse(const std::vector<std::string> &args, bool expectOk = true) {
    ParsedArguments p;
    std::string error;
    EXPECT_EQ(parseArguments(args, table(), p, error), expectOk) << error;
    return p;
}

std::string errorOf(const std::vector<std::string> &args) {
    ParsedArguments p;
    std::string error;
    EXPECT_FALSE(parseArguments(args, table(), p, error));
    return error;
}

TEST(Arguments, EverySpellingOfAValueGivesTheSame) {
    for (const auto &args : std::vector<std::vector<std::string>> { { "run", "--table", "a.dat" },
             { "run", "--table=a.dat" }, { "run", "-t", "a.dat" } }) {
        const ParsedArguments p = parse(args);
        ASSERT_NE(p.subcommand, nullptr);
        EXPECT_EQ(p.subcommand->name, "run");
        EXPECT_EQ(p.options.at("table"), "a.dat") << args.back();
    }
    // A value may itself begin with a dash or hold "=".
    EXPECT_EQ(parse({ "run", "--table", "-x=y" }).options.at("table"), "-x=y");
    EXPECT_EQ(parse({ "run", "--table=" }).options.at("table"), "");
    EXPECT_TRUE(parse({ "run", "--fast" }).has("fast"));
    EXPECT_FALSE(parse({ "run" }).has("fast"));
}

TEST(Arguments, PositionalArgumentsUpToTheirNumber) {
    const ParsedArguments p = parse({ "copy", "in.txt", "-o", "out.txt", "more.txt" });
    EXPECT_EQ(p.arguments, (std::vector<std::string> { "in.txt", "more.txt" }));
    EXPECT_EQ(p.options.at("output"), "out.txt");
    EXPECT_EQ(
        parse({ "copy", "--", "-odd-name" }).arguments, std::vector<std::string> { "-odd-name" });
    EXPECT_NE(errorOf({ "copy", "a", "b", "c" }).find("\"c\""), std::string::npos);
    EXPECT_NE(errorOf({ "run", "stray" }).find("stray"), std::string::npos);
}

TEST(Arguments, ErrorsNameWhatIsWrong) {
    EXPECT_NE(errorOf({ "run", "--table" }).find("--table"), std::string::npos);
    EXPECT_NE(errorOf({ "run", "--table" }).find("needs a value"), std::string::npos);
    EXPECT_NE(errorOf({ "run", "--fast=yes" }).find("--fast"), std::string::npos);
    EXPECT_NE(errorOf({ "run", "--output", "x" }).find("--output"), std::string::npos)
        << "options belong to their subcommand";
    EXPECT_NE(errorOf({ "walk" }).find("walk"), std::string::npos);
    EXPECT_NE(errorOf({}).find("missing subcommand"), std::string::npos);
    // Before the subcommand an option must still belong to it.
    EXPECT_NE(errorOf({ "--output", "x", "run" }).find("--output"), std::string::npos);
    EXPECT_NE(errorOf({ "run", "--f", "--fa=1" }).find("--fast"), std::string::npos)
        << "a prefix is read as the option it names";
}

// getopt_long's rules: options anywhere, unique prefixes, values attached.
TEST(Arguments, OptionsAnywhereAndTheirPrefixes) {
    const ParsedArguments before = parse({ "--fast", "run" });
    ASSERT_NE(before.subcommand, nullptr);
    EXPECT_EQ(before.subcommand->name, "run");
    EXPECT_TRUE(before.has("fast"));
    const ParsedArguments mixed = parse({ "copy", "in.txt", "-oout.txt", "more.txt" });
    EXPECT_EQ(mixed.options.at("output"), "out.txt");
    EXPECT_EQ(mixed.arguments, (std::vector<std::string> { "in.txt", "more.txt" }));
    EXPECT_EQ(parse({ "--out=o.csv", "copy", "a" }).options.at("output"), "o.csv");
    EXPECT_EQ(parse({ "run", "--t", "x.dat" }).options.at("table"), "x.dat");
    EXPECT_TRUE(parse({ "run", "--fa" }).has("fast"));
    // "-" is an argument (standard input), not an option.
    EXPECT_EQ(parse({ "copy", "-" }).arguments, std::vector<std::string> { "-" });
    // A one-letter flag grouped with one that takes a value.
    const ParsedArguments grouped = parse({ "copy", "-ho", "x" });
    EXPECT_TRUE(grouped.help);
    EXPECT_EQ(grouped.options.at("output"), "x");
    EXPECT_TRUE(parse({ "--vers" }).version);
}

TEST(Arguments, AnAmbiguousPrefixNamesTheCandidates) {
    static const std::vector<Subcommand> t { { "go", "", 0, "",
        { { "header", 0, "", "" }, { "height", 0, "N", "" }, { "id", 0, "N", "" },
            { "idle", 0, "", "" } } } };
    ParsedArguments p;
    std::string error;
    EXPECT_FALSE(parseArguments({ "go", "--he" }, t, p, error));
    EXPECT_NE(error.find("ambiguous"), std::string::npos) << error;
    EXPECT_NE(error.find("--header"), std::string::npos) << error;
    EXPECT_NE(error.find("--height"), std::string::npos) << error;
    // An exact name wins over a longer one it begins.
    ASSERT_TRUE(parseArguments({ "go", "--id", "3" }, t, p, error)) << error;
    EXPECT_EQ(p.options.at("id"), "3");
    EXPECT_FALSE(p.has("idle"));
    // "--h": header, height and help.
    EXPECT_FALSE(parseArguments({ "go", "--h" }, t, p, error));
    EXPECT_TRUE(parseArguments({ "go", "--hel" }, t, p, error)) << error;
    EXPECT_TRUE(p.help);
}

TEST(Arguments, HelpAndVersionAnywhere) {
    EXPECT_TRUE(parse({ "--help" }).help);
    EXPECT_TRUE(parse({ "-h" }).help);
    EXPECT_TRUE(parse({ "copy", "-h" }).help);
    EXPECT_TRUE(parse({ "--version" }).version);
    EXPECT_EQ(parse({ "--help" }).subcommand, nullptr);
}

TEST(ConvertArguments, IlluminantInAnyCaseAndGammaInItsRange) {
    ConvertOptions options;
    std::string error;
    for (const char *name : { "d50", "D50", "d5000" }) {
        ASSERT_TRUE(parseConvertArguments({ "to-xyz", "--illuminant", name }, options, error));
        EXPECT_EQ(options.illuminant, engine::Illuminant::D5000) << name;
    }
    ASSERT_TRUE(parseConvertArguments({ "to-lab", "--illuminant=d65" }, options, error));
    EXPECT_EQ(options.illuminant, engine::Illuminant::D65_10);
    ASSERT_TRUE(parseConvertArguments({ "to-rgb", "--gamma=1.8" }, options, error));
    EXPECT_EQ(options.gammaText, "1.8");
    for (const char *gamma : { "0.5", "3.5", "two", "" }) {
        EXPECT_FALSE(parseConvertArguments({ "to-rgb", "--gamma", gamma }, options, error))
            << gamma;
        EXPECT_NE(error.find("--gamma"), std::string::npos);
    }
    EXPECT_FALSE(parseConvertArguments({ "to-xyz", "--gamma", "2" }, options, error))
        << "to-xyz shows no display colour";
    EXPECT_FALSE(parseConvertArguments({ "to-xyz", "--exact" }, options, error));
    ASSERT_TRUE(parseConvertArguments({ "to-munsell", "--exact" }, options, error));
    EXPECT_TRUE(options.exact);
    EXPECT_FALSE(parseConvertArguments({ "to-xyz", "--table=" }, options, error));
}

} // namespace
} // namespace tw::app
