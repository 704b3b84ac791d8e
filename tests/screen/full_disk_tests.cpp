// The screen's files on a disk that fills up part-way through a write: the
// settings, the conversion table and a palette keep what they held, and the
// user is told which file was not written.
#include "screen_fixture.h"

#include "testing/disk_full.h"
#include "ui/button.h"
#include "ui/textbox.h"

#include <QTest>

namespace tw::screen::testing {
namespace {

using FullDiskTest = ScreenTest;

TEST_F(FullDiskTest, EachFileKeepsItsOldContentsAndIsNamed) {
    Form1 &f = start();
    fakes.dialogs.queueInput("TWZpalette");
    fakes.dialogs.queueInput("first");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    const std::string palette = readFile("TWZpalette.csv");
    ASSERT_FALSE(palette.empty());
    writeFile("muntable2.prn", "the old table\r\n");
    f.Text4->setText("2");
    const std::string settings = readFile("twz.cfg");
    ASSERT_FALSE(settings.empty());
    fakes.dialogs.reset();

    {
        // Room for the start of a new palette row or table, not the whole.
        services::DiskFullAfter full(palette.size() + 40);
        ASSERT_TRUE(full.active());
        fakes.dialogs.queueInput("second");
        QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
        f.Text3->setText("zqk");
        QTest::mouseClick(f.Command3->button(), Qt::LeftButton);
    }
    {
        // Room for less than a settings file.
        services::DiskFullAfter full(4);
        f.Text4->setText("3");
    }
    EXPECT_EQ(readFile("TWZpalette.csv"), palette) << "no half row";
    EXPECT_EQ(readFile("muntable2.prn"), "the old table\r\n");
    EXPECT_EQ(readFile("twz.cfg"), settings);
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos)
            << entry.path() << " is left behind";
    }

    const auto messages = fakes.dialogs.messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_NE(messages[0].find("TWZpalette.csv\""), std::string::npos) << messages[0];
    EXPECT_NE(messages[1].find("muntable2.prn\""), std::string::npos) << messages[1];
    EXPECT_NE(messages[2].find("twz.cfg\""), std::string::npos) << messages[2];
    EXPECT_EQ(f.commPort(), 3) << "the run goes on";

    // With room again the next row goes on the old end.
    fakes.dialogs.queueInput("TWZpalette");
    fakes.dialogs.queueInput("third");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    const std::string after = readFile("TWZpalette.csv");
    EXPECT_EQ(after.substr(0, palette.size()), palette);
    EXPECT_NE(after.find("\"third\""), std::string::npos);
}

} // namespace
} // namespace tw::screen::testing
