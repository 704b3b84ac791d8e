// The palette line: write form with a blank for an empty box, numbers with
// no zero before the point, CR LF; and the ".csv" rule for its file name.
#include "text/palette_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw::text {
namespace {

TEST(PaletteLine, BlankBoxesAndNumbers) {
    PaletteLine line;
    line.date = "01-02-2027";
    line.time = "00:00:00";
    line.munsell = { "5R", "5", "10" };
    line.linear = { 0.5f, 1.0f, 0.0f };
    EXPECT_EQ(paletteLineText(line),
        "\"01-02-2027\",\"00:00:00\",\"\",\"5R\",\"5\",\"10\",\" \",\" \",\" \",\" \",\" \",\" \","
        ".5,1,0,\" \",\" \",\" \",\" \",\" \",\" \",\" \",\r\n");
    EXPECT_EQ(withCsvExtension("TWZpalette"), "TWZpalette.csv");
    EXPECT_EQ(withCsvExtension("a.Csv"), "a.Csv");
}

} // namespace
} // namespace tw::text

namespace tw::text {
namespace {

std::vector<PaletteRow> rowsOf(const std::string &fileText, bool *complete = nullptr) {
    PaletteReader reader(fileText);
    std::vector<PaletteRow> rows;
    bool ok = true;
    while (ok && !reader.atEnd()) {
        PaletteRow row;
        ok = reader.next(row);
        if (ok) {
            rows.push_back(row);
        }
    }
    if (complete != nullptr) {
        *complete = ok;
    }
    return rows;
}

// The lines every writer makes: the screen's 22 quoted fields (a tag with a
// comma), the tolerance set's bare fields ending in "end", a line of just six
// fields; a line written with CR LF, LF or CR; trailing blank lines.
TEST(PaletteReader, ReadsTagAndNotationOfEveryWritersLines) {
    PaletteLine screenLine;
    screenLine.date = "12-08-2026";
    screenLine.time = "14:05:09";
    screenLine.tag = "leaf, dark";
    screenLine.munsell = { "2.5YR", "6.3", "4" };
    const std::string text = paletteLineText(screenLine)
        + "12-08-2026,14:05:09,3,5R,4,12,0,0,0,0,0,0,0,0,0, 200 , 40 , 60 ,end\n"
          "\"d\",\"t\",\"six\",\"10RP\",\"9\",\"2\",\r"
          "\"d\",\"t\",\"after six\",\"N\",\"5\",\"0\",\r\n\r\n  \r\n";
    bool complete = false;
    const std::vector<PaletteRow> rows = rowsOf(text, &complete);
    EXPECT_TRUE(complete);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].tag, "leaf, dark");
    EXPECT_EQ(rows[0].hue, "2.5YR");
    EXPECT_EQ(rows[0].value, "6.3");
    EXPECT_EQ(rows[0].chroma, "4");
    EXPECT_EQ(rows[1].tag, "3");
    EXPECT_EQ(rows[1].hue, "5R");
    EXPECT_EQ(rows[1].chroma, "12");
    EXPECT_EQ(rows[2].tag, "six");
    EXPECT_EQ(rows[3].tag, "after six") << "a six-field line must not swallow the next one";
    EXPECT_EQ(rows[3].hue, "N");
}

TEST(PaletteReader, ShortLineGoesOnIntoTheNextAndTheEndInsideARowFails) {
    // Four fields on the first line: the row takes two from the second and
    // drops the rest of that line.
    const std::vector<PaletteRow> rows = rowsOf("d,t,tag,5R\r\n5,10,x,y\r\nd,t,next,5G,6,8,\r\n");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].hue, "5R");
    EXPECT_EQ(rows[0].value, "5");
    EXPECT_EQ(rows[0].chroma, "10");
    EXPECT_EQ(rows[1].tag, "next");

    bool complete = true;
    const std::vector<PaletteRow> cut = rowsOf("d,t,a,5R,5,10,\r\nd,t,b,5Y,5,\r\n", &complete);
    EXPECT_FALSE(complete);
    EXPECT_EQ(cut.size(), 1u);
    EXPECT_TRUE(PaletteReader("").atEnd());
    EXPECT_TRUE(PaletteReader("\r\n \r\n").atEnd());
}

} // namespace
} // namespace tw::text
