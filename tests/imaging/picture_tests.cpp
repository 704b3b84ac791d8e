// Pictures into the window, and the window on the conversion screen's switch.
#include "imaging_fixture.h"

#include "imaging/imaging.h"
#include "ui/checkbox.h"
#include "ui/drawing_surface.h"
#include "ui/menuitem.h"
#include "ui/textbox.h"

#include <QCloseEvent>
#include <QCoreApplication>

namespace tw::imaging::testing {
namespace {

using services::ScriptedDialogs;

TEST_F(ImagingTest, OpensOnTheTestImageOfTheWorkingFolder) {
    Form2 &w = open(filled(320, 200, qRgb(10, 120, 200)));
    EXPECT_TRUE(fakes.dialogs.messages().empty());
    EXPECT_EQ(w.Text2->text(), "TestImage.jpg");
    EXPECT_EQ(w.Text3->text(), "320");
    EXPECT_EQ(w.Text4->text(), "200");
    EXPECT_EQ(w.Text5->text(), "Click on picture to display Munsell Notation");
    EXPECT_EQ(w.Text6->text(), "Pixel Location");
    EXPECT_EQ(form->palette().fileName(), "TestImage");
    EXPECT_FALSE(w.mnuView3DPalette->visible());
    // One unit per pixel: the picture is not scaled.
    EXPECT_EQ(w.Picture1->pixelSize(), QSize(320, 200));
    EXPECT_EQ(w.Picture1->point(319, 199), ui::rgb(10, 120, 200));
}

TEST_F(ImagingTest, AMissingTestImageLeavesAnEmptyBoxAndAUsableWindow) {
    Form2 &w = open(QImage());
    const auto messages = fakes.dialogs.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("\"TestImage.jpg\""), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("cannot read"), std::string::npos) << messages[0];
    EXPECT_FALSE(w.Picture1->hasPicture());
    EXPECT_EQ(w.Text3->text(), "0");
    // Nothing to sample or to cut into a palette, and nothing breaks.
    const auto before = allBoxes();
    w.Picture1_MouseDown(1, 5, 5);
    EXPECT_EQ(allBoxes(), before);
    w.mnuMakePalette_Click();
    EXPECT_FALSE(w.paletteMade());
    EXPECT_EQ(fakes.dialogs.messages().size(), 2u);
    // A picture loaded afterwards shows.
    addPicture("/pics/leaf.png", filled(30, 20, qRgb(1, 2, 3)));
    fakes.dialogs.queueFile("/pics/leaf.png");
    w.mnuLoadPicture_Click();
    EXPECT_TRUE(w.Picture1->hasPicture());
    EXPECT_EQ(form->palette().fileName(), "leaf");
}

TEST_F(ImagingTest, TooBigForTheScreenWarnsButKeepsThePicture) {
    fakes.pictures.setScreenSize(QSize(400, 300));
    Form2 &w = open(filled(400, 300, qRgb(9, 9, 9)));
    EXPECT_TRUE(fakes.dialogs.messages().empty()) << "exactly the screen's size fits";

    addPicture("wide.jpg", filled(401, 10, qRgb(9, 9, 9)));
    fakes.dialogs.queueFile("wide.jpg");
    w.mnuLoadPicture_Click();
    ASSERT_EQ(fakes.dialogs.messages().size(), 1u);
    EXPECT_EQ(fakes.dialogs.messages()[0],
        "Picture too big - Resize or select a section with an external image editing program");
    EXPECT_EQ(w.Picture1->pixelSize(), QSize(401, 10));
    EXPECT_EQ(w.Text3->text(), "401");
}

TEST_F(ImagingTest, APictureWithTransparentPartsIsShownOverWhiteAndSaysSo) {
    Form2 &w = open(filled(20, 20, qRgb(50, 50, 50)));
    QImage clear(10, 10, QImage::Format_ARGB32);
    clear.fill(qRgba(0, 128, 0, 0));
    addPicture("leaf.png", clear);
    fakes.dialogs.queueFile("leaf.png");
    w.mnuLoadPicture_Click();
    ASSERT_EQ(fakes.dialogs.messages().size(), 1u);
    EXPECT_NE(fakes.dialogs.messages()[0].find("over white"), std::string::npos);
    EXPECT_EQ(w.Picture1->point(5, 5), ui::rgb(255, 255, 255));
}

TEST_F(ImagingTest, LoadPictureOffersJpegFirstAndNamesThePalette) {
    Form2 &w = open(filled(20, 20, qRgb(50, 50, 50)));
    w.Text1->setText("Palette Done and saved as X.CSV");
    addPicture("D:\\a\\b.c.jpg", filled(12, 8, qRgb(1, 1, 1)));
    fakes.dialogs.queueFile("D:\\a\\b.c.jpg");
    w.mnuLoadPicture_Click();
    const ScriptedDialogs::Call &call = fakes.dialogs.calls().back();
    ASSERT_EQ(call.kind, ScriptedDialogs::Kind::OpenFile);
    EXPECT_EQ(call.filter.rfind("*.jpg|*.jpg|", 0), 0u) << call.filter;
    EXPECT_NE(call.filter.find("*.png"), std::string::npos) << call.filter;
    EXPECT_EQ(form->palette().fileName(), "b.c");
    EXPECT_EQ(w.Text2->text(), "D:\\a\\b.c.jpg");
    EXPECT_EQ(w.Text3->text(), "12");
    EXPECT_EQ(w.Text1->text(), "");
    EXPECT_EQ(w.Text1->backColor(), ui::rgb(255, 255, 255));
}

TEST_F(ImagingTest, CancelledDialogEmptyClipboardAndAFileThatIsNoPictureChangeNothing) {
    Form2 &w = open(filled(20, 20, qRgb(50, 60, 70)));
    fakes.dialogs.queueInput("grid");
    fakes.dialogs.queueInput("10");
    fakes.dialogs.queueAnswer(services::Answer::Yes);
    w.mnuMakePalette_Click();
    ASSERT_TRUE(w.paletteMade());
    const QImage withGrid = w.Picture1->image();

    fakes.dialogs.queueFile("");
    w.mnuLoadPicture_Click();
    w.mnuGetClip_Click();
    EXPECT_EQ(fakes.dialogs.messages().back(), "Clipboard empty or Picture too big");
    EXPECT_TRUE(w.paletteMade());
    EXPECT_TRUE(w.mnuView3DPalette->visible());
    EXPECT_EQ(w.Picture1->image(), withGrid);
    EXPECT_EQ(form->palette().fileName(), "GRID.CSV");

    // A text file named .jpg, or one deleted since the dialog: the loader
    // cannot read it.
    const std::string done = w.Text1->text();
    fakes.dialogs.queueFile("notes.jpg");
    w.mnuLoadPicture_Click();
    EXPECT_NE(fakes.dialogs.messages().back().find("\"notes.jpg\" could not be loaded"),
        std::string::npos)
        << fakes.dialogs.messages().back();
    EXPECT_EQ(w.Picture1->image(), withGrid);
    EXPECT_EQ(w.Text2->text(), "TestImage.jpg");
    EXPECT_EQ(w.pictureFileName(), "TestImage.jpg");
    EXPECT_EQ(w.Text1->text(), done);
    EXPECT_TRUE(w.paletteMade());
    EXPECT_TRUE(w.mnuView3DPalette->visible());
    EXPECT_EQ(form->palette().fileName(), "GRID.CSV");
}

TEST_F(ImagingTest, ImageAnalysisBoxShowsTheWindowExitAndCloseClearIt) {
    start();
    addPicture("TestImage.jpg", filled(40, 30, qRgb(90, 90, 90)));
    attachImaging(*form);
    form->Check6->setValue(1);
    auto *w = dynamic_cast<Form2 *>(form->windows().window(screen::ScreenWindow::PictureAnalysis));
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->Text3->text(), "40");

    w->mnuExit_Click();
    EXPECT_EQ(form->Check6->value(), 0);
    EXPECT_FALSE(w->isVisible());

    form->Check6->setValue(1);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(form->windows().window(screen::ScreenWindow::PictureAnalysis), w)
        << "one window, kept while hidden";
    w->close();
    EXPECT_EQ(form->Check6->value(), 0);
    EXPECT_FALSE(w->isVisible());
}

} // namespace
} // namespace tw::imaging::testing
