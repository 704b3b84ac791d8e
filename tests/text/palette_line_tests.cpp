// The palette line: write form with a blank for an empty box, numbers with
// no zero before the point, CR LF; and the ".csv" rule for its file name.
#include "text/palette_line.h"

#include <gtest/gtest.h>

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
