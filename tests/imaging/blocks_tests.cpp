// The arithmetic of the picture window: names and block averages. No window
// needed.
#include "imaging/block_average.h"
#include "imaging/texts.h"

#include <gtest/gtest.h>

namespace tw::imaging {
namespace {

TEST(PictureNames, PaletteNameIsTheLeafWithoutItsExtension) {
    EXPECT_EQ(paletteNameOfPicture("D:\\a\\b.c.jpg"), "b.c");
    EXPECT_EQ(paletteNameOfPicture("/a/b.c.jpg"), "b.c");
    EXPECT_EQ(paletteNameOfPicture("C:\\pics\\leaf.jpg"), "leaf");
    EXPECT_EQ(paletteNameOfPicture("TestImage.jpg"), "TestImage");
    // Extensions of other lengths and none at all do not lose letters.
    EXPECT_EQ(paletteNameOfPicture("/pics/leaf.jpeg"), "leaf");
    EXPECT_EQ(paletteNameOfPicture("/pics.d/leaf"), "leaf");
}

TEST(PictureNames, PaletteFileIsUpperCasedWithOneCsv) {
    EXPECT_EQ(paletteFileOfAnswer("leaf"), "LEAF.CSV");
    EXPECT_EQ(paletteFileOfAnswer("leaf.csv"), "LEAF.CSV");
    EXPECT_EQ(paletteFileOfAnswer("Leaf.Csv"), "LEAF.CSV");
    EXPECT_EQ(paletteFileOfAnswer("b.c"), "B.C.CSV");
    EXPECT_EQ(paletteFileOfAnswer("csv"), "CSV.CSV");
}

TEST(PictureNames, SignPaddedNumbers) {
    EXPECT_EQ(signPadded(20), " 20");
    EXPECT_EQ(signPadded(0), " 0");
    EXPECT_EQ(signPadded(-3), "-3");
    EXPECT_EQ(signPadded(12321), " 12321");
    EXPECT_EQ(signPaddedNumber(17.0f), " 17");
    EXPECT_EQ(signPaddedNumber(0.5f), " .5");
    EXPECT_EQ(signPaddedNumber(-4.0f), "-4");
}

TEST(BlockAverage, SampleRoundsHalvesUpPaletteRoundsHalvesToEven) {
    EXPECT_EQ(sampleAverage(13, 9), 1); // 1.44 + 0.5
    EXPECT_EQ(sampleAverage(14, 9), 2); // 1.56 + 0.5
    EXPECT_EQ(sampleAverage(5, 2), 3); // 2.5 goes up
    EXPECT_EQ(sampleAverage(255 * 81, 81), 255);
    EXPECT_EQ(blockAverage(250, 100), 2); // 2.5 to even
    EXPECT_EQ(blockAverage(350, 100), 4); // 3.5 to even
    EXPECT_EQ(blockAverage(251, 100), 3);
    EXPECT_EQ(blockAverage(0, 0), 0);
}

} // namespace
} // namespace tw::imaging
