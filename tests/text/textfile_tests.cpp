#include "text/textfile.h"

#include "testing/disk_full.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include <sys/stat.h>

namespace {

using namespace tw::text;
namespace fs = std::filesystem;

// --- field input ------------------------------------------------------------

struct FieldCase {
    const char *name;
    std::string text;
    std::vector<std::string> fields;
};

class FieldReaderTest : public testing::TestWithParam<FieldCase> { };

TEST_P(FieldReaderTest, SplitsIntoFields) {
    FieldReader reader(GetParam().text);
    std::vector<std::string> fields;
    while (!reader.atEnd() && fields.size() < 50) {
        fields.push_back(reader.readField());
    }
    EXPECT_EQ(fields, GetParam().fields);
}

const FieldCase fieldCases[] = {
    { "PaletteLine",
        "\"01-02-2024\",\"13:45:00\",\"red, bright\",\"5R\",\"5.00\",\"10.00\",.5,-.25,\r\n"
        "\"a\",",
        { "01-02-2024", "13:45:00", "red, bright", "5R", "5.00", "10.00", ".5", "-.25", "a" } },
    { "LeadingBlanksSkippedTrailingTrimmed", "  \t5R ,\t 5\t,", { "5R", "5" } },
    { "TabsInsideKept", "5R\t5\t10\r\n", { "5R\t5\t10" } },
    { "LineEndsOfEveryKind", "a\r\nb\nc\rd", { "a", "b", "c", "d" } },
    { "CommaBeforeEveryLineEnd", "a,\r\nb,\nc,\rd,", { "a", "b", "c", "d" } },
    { "EmptyFields", "a,,b,\r\n,c", { "a", "", "b", "", "c" } },
    { "EmptyLineIsAnEmptyField", "a\r\n\r\nb", { "a", "", "b" } },
    { "LastLineWithoutLineEnd", "x,y\r\nz", { "x", "y", "z" } },
    { "TextAfterClosingQuoteDropped", "\"a,b\" junk,c", { "a,b", "c" } },
    { "QuotedKeepsBlanks", "  \" a \"\t,b", { " a ", "b" } },
    { "UnclosedQuoteEndsAtLineEnd", "\"abc,def\r\nnext", { "abc,def", "next" } },
    { "QuoteInsideUnquotedField", "ab\"c,d", { "ab\"c", "d" } },
};

INSTANTIATE_TEST_SUITE_P(Fields, FieldReaderTest, testing::ValuesIn(fieldCases),
    [](const testing::TestParamInfo<FieldCase> &info) { return info.param.name; });

TEST(FieldReader, EmptyTextIsAtEndAndReadsEmpty) {
    FieldReader reader("");
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.readField(), "");
    EXPECT_EQ(reader.readLine(), "");
    EXPECT_TRUE(reader.atEnd());
}

TEST(FieldReader, ReadNumberTakesTheLeadingNumber) {
    FieldReader reader("12abc, -.5 ,x\r\n");
    EXPECT_DOUBLE_EQ(reader.readNumber(), 12.0);
    EXPECT_DOUBLE_EQ(reader.readNumber(), -0.5);
    EXPECT_DOUBLE_EQ(reader.readNumber(), 0.0);
    EXPECT_TRUE(reader.atEnd());
}

TEST(FieldReader, ReadLineTakesTheRestOfTheLineAfterFields) {
    FieldReader reader("tag,\"5R\",rest, of \"line\"\r\nnext line\n\r\nlast");
    EXPECT_EQ(reader.readField(), "tag");
    EXPECT_EQ(reader.readField(), "5R");
    EXPECT_EQ(reader.readLine(), "rest, of \"line\"");
    EXPECT_EQ(reader.readLine(), "next line");
    EXPECT_EQ(reader.readLine(), "");
    EXPECT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.readLine(), "last");
    EXPECT_TRUE(reader.atEnd());
}

TEST(FieldReader, LastFieldOfALineLeavesReadLineOnTheNextLine) {
    FieldReader reader("a,b\r\nsecond\r\n");
    EXPECT_EQ(reader.readField(), "a");
    EXPECT_EQ(reader.readField(), "b");
    EXPECT_EQ(reader.readLine(), "second");
    EXPECT_TRUE(reader.atEnd());
}

// --- output -----------------------------------------------------------------

TEST(TextWriter, WriteFormLineEndsWithCommaAndCrLf) {
    TextWriter w;
    w.writeText("01-02-2024");
    w.writeText("tag, with comma");
    w.writeNumber(0.5f);
    w.writeNumber(-0.25f);
    w.writeNumber(10.0f);
    w.endLine();
    EXPECT_EQ(w.str(), "\"01-02-2024\",\"tag, with comma\",.5,-.25,10,\r\n");

    // What is written reads back field for field, with nothing extra.
    FieldReader reader(w.str());
    EXPECT_EQ(reader.readField(), "01-02-2024");
    EXPECT_EQ(reader.readField(), "tag, with comma");
    EXPECT_DOUBLE_EQ(reader.readNumber(), 0.5);
    EXPECT_DOUBLE_EQ(reader.readNumber(), -0.25);
    EXPECT_DOUBLE_EQ(reader.readNumber(), 10.0);
    EXPECT_TRUE(reader.atEnd());
}

TEST(TextWriter, PrintZonesAreFourteenColumnsFromTheLineStart) {
    TextWriter w;
    w.print("first line");
    w.endLine();
    w.printNumber(2.5f);
    w.printZone();
    w.printNumber(-5.0f);
    w.printZone();
    w.print("x");
    const std::string second = w.str().substr(w.str().find('\n') + 1);
    EXPECT_EQ(second, " 2.5          -5            x");
    EXPECT_EQ(second.find('-'), 14u);
    EXPECT_EQ(second.find('x'), 28u);
}

TEST(TextWriter, FullZoneItemMovesToTheFollowingZone) {
    TextWriter w;
    w.print("12345678901234"); // ends exactly on a zone boundary
    w.printZone();
    w.print("x");
    EXPECT_EQ(w.str().find('x'), 28u);
}

TEST(TextWriter, SettingsFileFormReadsBack) {
    TextWriter w;
    w.print("Ci5/Ci7");
    w.endLine();
    w.printNumber(3.0f);
    w.endLine();
    EXPECT_EQ(w.str(), "Ci5/Ci7\r\n 3 \r\n");

    FieldReader reader(w.str());
    EXPECT_EQ(reader.readField(), "Ci5/Ci7");
    EXPECT_DOUBLE_EQ(reader.readNumber(), 3.0);
    EXPECT_TRUE(reader.atEnd());
}

// --- whole files ------------------------------------------------------------

class FileHelpersTest : public testing::Test {
protected:
    void SetUp() override {
        const auto *info = testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / (std::string("tw_text_") + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    [[nodiscard]] std::string path(const char *name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

TEST_F(FileHelpersTest, WritesAndReadsBytesUnchanged) {
    const std::string data = std::string("a\r\nb\nc\r") + '\0' + "\x1a end";
    std::string error;
    ASSERT_TRUE(writeFile(path("f.txt"), data, error)) << error;
    EXPECT_TRUE(error.empty());
    std::string back;
    ASSERT_TRUE(readFile(path("f.txt"), back, error)) << error;
    EXPECT_EQ(back, data);
}

TEST_F(FileHelpersTest, WriteReplacesLongerOldContent) {
    std::string error;
    ASSERT_TRUE(writeFile(path("twz.cfg"), "CE7000\r\n 1 \r\n", error));
    ASSERT_TRUE(writeFile(path("twz.cfg"), "XTH\r\n", error));
    std::string back;
    ASSERT_TRUE(readFile(path("twz.cfg"), back, error));
    EXPECT_EQ(back, "XTH\r\n");
}

// Something already standing at the part file's name (here a link to a
// device that takes nothing) is neither written through nor removed.
TEST_F(FileHelpersTest, ALinkAtThePartsNameIsLeftAlone) {
    std::string error;
    ASSERT_TRUE(writeFile(path("muntable2.prn"), "the old table\r\n", error));
    fs::create_symlink("/dev/full", dir_ / "muntable2.prn.part");
    EXPECT_TRUE(writeFile(path("muntable2.prn"), std::string(100000, 'x'), error)) << error;
    std::string back;
    ASSERT_TRUE(readFile(path("muntable2.prn"), back, error));
    EXPECT_EQ(back, std::string(100000, 'x'));
    EXPECT_TRUE(fs::is_symlink(dir_ / "muntable2.prn.part"));
    EXPECT_EQ(fs::read_symlink(dir_ / "muntable2.prn.part"), "/dev/full");
}

TEST_F(FileHelpersTest, MissingFileIsReportedWithNameAndReason) {
    std::string contents = "untouched";
    std::string error;
    EXPECT_FALSE(readFile(path("Muncie.dat"), contents, error));
    EXPECT_NE(error.find("Muncie.dat"), std::string::npos) << error;
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
    EXPECT_EQ(contents, "untouched");
}

TEST_F(FileHelpersTest, ReadingADirectoryFails) {
    std::string contents;
    std::string error;
    EXPECT_FALSE(readFile(dir_.string(), contents, error));
    EXPECT_FALSE(error.empty());
}

TEST_F(FileHelpersTest, UnwritablePathsReportFailure) {
    std::string error;
    const std::string inMissingFolder = path("no/such/folder/out.txt");
    EXPECT_FALSE(writeFile(inMissingFolder, "x", error));
    EXPECT_NE(error.find(inMissingFolder), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(appendFile(inMissingFolder, "x", error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(writeFile(dir_.string(), "x", error)); // a folder, not a file
    EXPECT_FALSE(error.empty());
}

TEST_F(FileHelpersTest, AppendKeepsExistingContentAndCreatesMissingFile) {
    std::string error;
    ASSERT_TRUE(appendFile(path("TWZpalette.csv"), "line 1\r\n", error)) << error;
    ASSERT_TRUE(appendFile(path("TWZpalette.csv"), "line 2\r\n", error)) << error;
    std::string back;
    ASSERT_TRUE(readFile(path("TWZpalette.csv"), back, error));
    EXPECT_EQ(back, "line 1\r\nline 2\r\n");
}

// A disk that fills up part-way through a write: a file written whole keeps
// its old contents and leaves nothing beside it; an append adds its whole
// line or nothing, and the next append that fits goes on the old end.
void fullDiskChecks(const std::string &table, const std::string &palette, std::size_t room) {
    const std::string oldTable(700, 't');
    const std::string oldPalette = "first line\r\n";
    std::string error;
    ASSERT_TRUE(writeFile(table, oldTable, error)) << error;
    ASSERT_TRUE(writeFile(palette, oldPalette, error)) << error;

    EXPECT_FALSE(writeFile(table, std::string(4 * room, 'n'), error));
    EXPECT_NE(error.find("\"" + table + "\""), std::string::npos) << error;
    std::string back;
    ASSERT_TRUE(readFile(table, back, error));
    EXPECT_EQ(back, oldTable);
    EXPECT_FALSE(fs::exists(table + ".part"));

    EXPECT_FALSE(appendFile(palette, std::string(3 * room, 'p') + "\r\n", error));
    EXPECT_NE(error.find("\"" + palette + "\""), std::string::npos) << error;
    ASSERT_TRUE(readFile(palette, back, error));
    EXPECT_EQ(back, oldPalette) << "no part of the failed line is left";
    ASSERT_TRUE(appendFile(palette, "second line\r\n", error)) << error;
    ASSERT_TRUE(readFile(palette, back, error));
    EXPECT_EQ(back, oldPalette + "second line\r\n");
}

TEST_F(FileHelpersTest, AFullDiskTearsNoFile) {
    {
        // No file may grow beyond 2000 bytes.
        tw::services::DiskFullAfter full(2000);
        ASSERT_TRUE(full.active());
        fullDiskChecks(path("muntable2.prn"), path("TWZpalette.csv"), 2000);
    }
    // A real full disk where the machine lets a test mount one.
    tw::services::TinyDisk disk(dir_ / "tiny", 65536);
    if (!disk.available()) {
        GTEST_SKIP() << "no tmpfs can be mounted here; the file-size limit stood in for it";
    }
    std::string error;
    // Fill the disk (of 4 KiB pages) to four pages of room: one for each old
    // file, two for what comes after.
    const std::string filler(65536 - 4 * 4096, 'f');
    ASSERT_TRUE(appendFile((dir_ / "tiny" / "filler").string(), filler, error)) << error;
    fullDiskChecks((dir_ / "tiny" / "muntable2.prn").string(),
        (dir_ / "tiny" / "TWZpalette.csv").string(), 4096);
}

// --- a file written in pieces -----------------------------------------------

TEST_F(FileHelpersTest, APartFileTakesTheTargetsPlaceOnlyWhenCommitted) {
    std::string error;
    ASSERT_TRUE(writeFile(path("munout.txt"), "the old run\r\n", error)) << error;
    PartFile file;
    ASSERT_TRUE(file.open(path("munout.txt"))) << file.error();
    EXPECT_EQ(file.partPath(), path("munout.txt") + ".part");
    file.write("first line\r\n");
    file.write("");
    file.write("second line\r\n");
    std::string back;
    ASSERT_TRUE(readFile(path("munout.txt"), back, error));
    EXPECT_EQ(back, "the old run\r\n") << "the target is untouched while the part is written";
    EXPECT_TRUE(fs::exists(path("munout.txt") + ".part"));

    ASSERT_TRUE(file.commit()) << file.error();
    ASSERT_TRUE(readFile(path("munout.txt"), back, error));
    EXPECT_EQ(back, "first line\r\nsecond line\r\n");
    EXPECT_FALSE(fs::exists(path("munout.txt") + ".part"));
    EXPECT_FALSE(file.failed());
    EXPECT_FALSE(file.commit()) << "a file is committed once";
}

TEST_F(FileHelpersTest, APartFileDiscardedOrAbandonedLeavesNothing) {
    std::string error;
    ASSERT_TRUE(writeFile(path("steps.csv"), "kept\r\n", error)) << error;
    {
        PartFile file;
        ASSERT_TRUE(file.open(path("steps.csv"), ".part.csv"));
        EXPECT_EQ(file.partPath(), path("steps.csv") + ".part.csv");
        file.write("half a run");
        // Leaves scope uncommitted, as a run cut off by an exception does.
    }
    EXPECT_FALSE(fs::exists(path("steps.csv") + ".part.csv"));
    PartFile file;
    ASSERT_TRUE(file.open(path("steps.csv")));
    file.write("another half");
    file.discard();
    EXPECT_FALSE(file.isOpen());
    EXPECT_FALSE(fs::exists(path("steps.csv") + ".part"));
    // Opening again starts afresh: nothing of an earlier, uncommitted text.
    ASSERT_TRUE(file.open(path("steps.csv")));
    file.write("a whole run\r\n");
    ASSERT_TRUE(file.open(path("other.csv")));
    EXPECT_FALSE(fs::exists(path("steps.csv") + ".part")) << "opening another drops the first";
    std::string back;
    ASSERT_TRUE(readFile(path("steps.csv"), back, error));
    EXPECT_EQ(back, "kept\r\n");
}

// The first failure is kept and reported by the commit, which then leaves
// the old file whole and nothing beside it.
TEST_F(FileHelpersTest, APartFileRemembersItsFirstFailure) {
    std::string error;
    ASSERT_TRUE(writeFile(path("lab_sRGB.txt"), "old", error)) << error;
    PartFile file;
    {
        tw::services::DiskFullAfter full(1000);
        ASSERT_TRUE(full.active());
        ASSERT_TRUE(file.open(path("lab_sRGB.txt")));
        for (int i = 0; i < 100; ++i) {
            file.write(std::string(99, 'x') + "\n");
        }
        // Buffered writes may show the full disk only at the commit.
        EXPECT_FALSE(file.commit());
    }
    EXPECT_TRUE(file.failed());
    EXPECT_NE(
        file.error().find("Cannot write to \"" + path("lab_sRGB.txt") + "\": "), std::string::npos)
        << file.error();
    EXPECT_EQ(file.error().find(".part"), std::string::npos) << file.error();
    EXPECT_FALSE(file.reason().empty());
    EXPECT_NE(file.error().find(file.reason()), std::string::npos);
    std::string back;
    ASSERT_TRUE(readFile(path("lab_sRGB.txt"), back, error));
    EXPECT_EQ(back, "old");
    EXPECT_FALSE(fs::exists(path("lab_sRGB.txt") + ".part"));
}

// The part file is always a file of its own: never one that already stands
// at its name (the very input of a run, named like the output's part file),
// never through a planted link; a target that is a link keeps being one,
// and the new file keeps the old one's permissions.
TEST_F(FileHelpersTest, APartFileNeverOpensAnExistingFile) {
    std::string error;
    ASSERT_TRUE(writeFile(path("steps.txt"), "old output\r\n", error)) << error;
    ASSERT_TRUE(writeFile(path("steps.txt.part"), "5R\t4\t6\r\n", error)) << error;
    fs::create_symlink(path("elsewhere.txt"), path("steps.txt.1.part"));
    PartFile file;
    ASSERT_TRUE(file.open(path("steps.txt"))) << file.error();
    EXPECT_NE(file.partPath(), path("steps.txt.part"));
    file.write("new output\r\n");
    ASSERT_TRUE(file.commit()) << file.error();
    std::string back;
    ASSERT_TRUE(readFile(path("steps.txt.part"), back, error));
    EXPECT_EQ(back, "5R\t4\t6\r\n") << "the file at the part's name is the run's input";
    EXPECT_FALSE(fs::exists(path("elsewhere.txt"))) << "no write through a planted link";
    ASSERT_TRUE(readFile(path("steps.txt"), back, error));
    EXPECT_EQ(back, "new output\r\n");
}

TEST_F(FileHelpersTest, AReplacedFileKeepsItsLinkAndPermissions) {
    std::string error;
    fs::create_directory(dir_ / "real");
    ASSERT_TRUE(writeFile(path("real/palette.csv"), "old", error)) << error;
    fs::permissions(path("real/palette.csv"),
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(path("real/palette.csv"), path("palette.csv"));
    ASSERT_TRUE(writeFile(path("palette.csv"), "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(path("palette.csv")));
    std::string back;
    ASSERT_TRUE(readFile(path("real/palette.csv"), back, error));
    EXPECT_EQ(back, "new");
    EXPECT_EQ(fs::status(path("real/palette.csv")).permissions() & fs::perms::all,
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A pipe (or a terminal, or /dev/null) as the target is written to as it is:
// nothing is renamed over it.
TEST_F(FileHelpersTest, APipeAsTheTargetIsWrittenAndStaysAPipe) {
    ASSERT_EQ(::mkfifo(path("out.fifo").c_str(), 0600), 0);
    std::string got;
    std::thread reader([&] {
        std::ifstream in(path("out.fifo"), std::ios::binary);
        got.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    });
    std::string error;
    const bool written = writeFile(path("out.fifo"), "5R 5/10\n", error);
    reader.join();
    EXPECT_TRUE(written) << error;
    EXPECT_EQ(got, "5R 5/10\n");
    EXPECT_TRUE(fs::is_fifo(path("out.fifo")));
}

TEST_F(FileHelpersTest, APartFileThatCannotOpenOrReplaceSaysWhy) {
    PartFile file;
    const std::string inMissingFolder = path("no/such/folder/out.txt");
    EXPECT_FALSE(file.open(inMissingFolder));
    file.write("ignored");
    EXPECT_FALSE(file.commit());
    // The target is named, with the system's reason.
    EXPECT_NE(file.error().find("\"" + inMissingFolder + "\""), std::string::npos) << file.error();
    EXPECT_EQ(file.error().find(".part"), std::string::npos) << file.error();
    EXPECT_EQ(file.reason(), std::generic_category().message(ENOENT));

    // A folder stands where the file should go: the rename fails.
    fs::create_directory(dir_ / "cchecker.csv");
    ASSERT_TRUE(file.open(path("cchecker.csv")));
    EXPECT_FALSE(file.failed()) << "a new open forgets the old failure";
    file.write("rows");
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(file.error().rfind("Cannot replace \"" + path("cchecker.csv") + "\": ", 0), 0u)
        << file.error();
    EXPECT_FALSE(fs::exists(path("cchecker.csv") + ".part"));
    EXPECT_TRUE(fs::is_directory(dir_ / "cchecker.csv"));
}

} // namespace
