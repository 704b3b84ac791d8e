#include "screen_fixture.h"

#include "screen/conversion_table.h"
#include "text/textfile.h"
#include "ui/button.h"
#include "ui/textbox.h"

#include <QTest>

#include <sstream>

namespace tw::screen::testing {
namespace {

using TableTest = ScreenTest;

std::vector<std::string> lines(const std::string &text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos) {
            break;
        }
        out.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return out;
}

std::vector<std::string> split(const std::string &line) {
    std::vector<std::string> out;
    std::stringstream s(line);
    std::string field;
    while (std::getline(s, field, '\t')) {
        out.push_back(field);
    }
    return out;
}

TEST_F(TableTest, MakeTableWritesTheGridInOrder) {
    Form1 &f = start();
    f.Text3->setText("zqk");
    const auto boxes = allBoxes();
    writeFile("muntable2.prn", "an old table that must go\r\n");
    QTest::mouseClick(f.Command3->button(), Qt::LeftButton);
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string> { "Done" });
    EXPECT_EQ(allBoxes(), boxes) << "nothing on the screen changes";

    const auto all = lines(readFile("muntable2.prn"));
    ASSERT_GT(all.size(), 1000u);
    EXPECT_EQ(
        all[1].rfind("If R G B value is 0 or 255 the color is out of the gamut of a CRT and is for "
                     "approximation only  Illuminant C 2 degree observer",
            0),
        0u);
    EXPECT_EQ(all[2], "Angle\tHue\tValue\tChroma\tX\tY\tZ\tL*\ta*\tb*\tR\tG\tB");
    // The first data line: Value 1, hue 0, the neutral (Chroma 0).
    const auto first = split(all[3]);
    ASSERT_EQ(first.size(), 13u);
    EXPECT_EQ(first[0], " 0 ");
    EXPECT_EQ(first[1], ".00R");
    EXPECT_EQ(first[2], " 1 ");
    EXPECT_EQ(first[3], " 0 ");
    EXPECT_EQ(first[5], "1.21") << "Y of Value 1";

    // Order: Value, then hue, then Chroma, all rising; every point passes
    // the filter.
    double lastKey = -1;
    for (std::size_t i = 3; i < all.size(); ++i) {
        const auto field = split(all[i]);
        ASSERT_EQ(field.size(), 13u) << all[i];
        const double key
            = std::stod(field[2]) * 1e6 + std::stod(field[0]) * 1e3 + std::stod(field[3]);
        EXPECT_GT(key, lastKey) << all[i];
        lastKey = key;
        for (int k = 4; k <= 6; ++k) {
            EXPECT_GT(std::stod(field[k]), 0.01) << all[i];
        }
    }
    const auto lastFields = split(all.back());
    EXPECT_EQ(lastFields[2], " 9 ");
}

TEST_F(TableTest, HueOnAFamilyBoundaryUsesItsOwnName) {
    Form1 &f = start();
    TableOptions options;
    options.version = "1.0.0";
    const auto all = lines(conversionTable(f.cycle().table(), options));
    bool sawTenR = false;
    for (std::size_t i = 3; i < all.size(); ++i) {
        const auto field = split(all[i]);
        if (field[0] == " 10 ") {
            EXPECT_EQ(field[1], "10.00R");
            sawTenR = true;
        }
        if (field[0] == " 2.5 ") {
            EXPECT_EQ(field[1], "2.50R");
        }
    }
    EXPECT_TRUE(sawTenR);
}

TEST_F(TableTest, UnwritableTableIsSaidInsteadOfDone) {
    Form1 &f = start();
    std::filesystem::create_directory(folder / "muntable2.prn");
    f.Text3->setText("zqk");
    QTest::mouseClick(f.Command3->button(), Qt::LeftButton);
    ASSERT_EQ(fakes.dialogs.messages().size(), 1u);
    EXPECT_NE(fakes.dialogs.messages()[0], "Done");
}

} // namespace
} // namespace tw::screen::testing
