// The instrument frame as a user drives it: Measure through the simulator on
// a pseudo-terminal fills the XYZ boxes and converts the colour, also when
// the simulator serves a port of the user's own that the program finds by
// its number; Esc abandons a wait for an instrument that does not answer.
#include "screen_fixture.h"

#include "../instruments/simulator_process.h"
#include "engine/spectral.h"
#include "services/serial/qt_serial_port.h"
#include "services/system_clock.h"
#include "text/numbers.h"
#include "ui/button.h"
#include "ui/combobox.h"
#include "ui/label.h"
#include "ui/textbox.h"

#include <QCoreApplication>
#include <QTest>

#include <cstdlib>

namespace tw::screen::testing {
namespace {

using InstrumentFrameTest = ScreenTest;

TEST_F(InstrumentFrameTest, EscAbandonsAWaitForASilentInstrument) {
    Form1 &f = start();
    f.Combo1->setText("CE7000");
    const auto before = allBoxes();
    QLineEdit *hue = f.Text12[0]->lineEdit();
    hue->setFocus();
    int yields = 0;
    fakes.dialogs.setOnYield([&] {
        fakes.clock.advance(0.25); // a silent instrument times out after 5 s
        if (++yields == 3) {
            QTest::keyClick(hue, Qt::Key_Escape);
        }
    });

    QTest::mouseClick(f.Command8->button(), Qt::LeftButton);

    EXPECT_EQ(f.Text3->text(), "Measurement abandoned");
    EXPECT_FALSE(serial->portOpen());
    EXPECT_FALSE(f.instrumentDialogues().busy());
    EXPECT_EQ(allBoxes(), before);
    EXPECT_EQ(yields, 3) << "the wait ended at the key, not at its time limit";
}

TEST_F(InstrumentFrameTest, EscWithNoDialogueRunningChangesNothing) {
    Form1 &f = start();
    const std::string messages = f.Text3->text();
    QTest::keyClick(f.Text12[0]->lineEdit(), Qt::Key_Escape);
    EXPECT_EQ(f.Text3->text(), messages);
}

// The X Y Z boxes hold the colour of the simulator's curve (under C, the
// illuminant a fresh screen starts with).
void expectSimulatedReading(const Form1 &f) {
    engine::Spectrum curve {};
    for (int i = 1; i <= 40; ++i) {
        curve[i] = instruments::testing::simulatedValue(i);
    }
    float X = 0;
    float Y = 0;
    float Z = 0;
    engine::tris(curve, X, Y, Z);
    EXPECT_EQ(f.Text11[0]->text(), text::formatPattern(X, "###.00"));
    EXPECT_EQ(f.Text11[1]->text(), text::formatPattern(Y, "###.00"));
    EXPECT_EQ(f.Text11[2]->text(), text::formatPattern(Z, "###.00"));
}

TEST(InstrumentFrameEndToEnd, MeasureFillsTheXyzBoxesFromTheSimulatedInstrument) {
    if (std::string(TW_SIMULATOR_PATH).empty()) {
        GTEST_SKIP() << "no instrument simulator on this platform";
    }
    const auto folder = std::filesystem::temp_directory_path()
        / ("tw_screen_e2e_" + std::to_string(QCoreApplication::applicationPid()));
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(std::filesystem::path(TW_DATA_DIR) / "Muncie.dat",
        folder / "Muncie.dat", std::filesystem::copy_options::overwrite_existing);

    instruments::testing::Simulator simulator("CE7000", {});
    ASSERT_FALSE(simulator.path().empty()) << "simulator did not start";
    services::FakeServices fakes;
    services::SystemClock clock;
    fakes.dialogs.setOnYield([] { QCoreApplication::processEvents(); });
    auto port = std::make_unique<services::QtSerialPort>([&](int) { return simulator.path(); });
    {
        Form1 f({ fakes.dialogs, clock, fakes.printer, fakes.pictures }, std::move(port), folder,
            "1.0.0");
        ASSERT_TRUE(f.Form_Load());
        f.Combo1->setText("CE7000");

        QTest::mouseClick(f.Command8->button(), Qt::LeftButton);

        EXPECT_TRUE(fakes.dialogs.messages().empty())
            << ::testing::PrintToString(fakes.dialogs.messages());
        expectSimulatedReading(f);
        // The measured colour went through the XYZ entry: the notation follows.
        EXPECT_NE(f.Label19->caption(), "Out of Munsell Range");
        EXPECT_NE(f.Text12[0]->text(), "5R");
    }
    std::filesystem::remove_all(folder);
}

// As a user without root tries Measure: the simulator started with --port 3
// links its terminal in the runtime folder, the program's own port lookup
// (the one the installed program uses) finds port 3 there, and the measured
// colour reaches the boxes.
TEST(InstrumentFrameEndToEnd, MeasureOnPortThreeServedByTheSimulatorWithoutRoot) {
    if (std::string(TW_SIMULATOR_PATH).empty()) {
        GTEST_SKIP() << "no instrument simulator on this platform";
    }
    const std::string tag = std::to_string(QCoreApplication::applicationPid());
    const auto folder = std::filesystem::temp_directory_path() / ("tw_screen_port_" + tag);
    const auto runtime = folder / "runtime";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    std::filesystem::copy_file(std::filesystem::path(TW_DATA_DIR) / "Muncie.dat",
        folder / "Muncie.dat", std::filesystem::copy_options::overwrite_existing);
    const char *oldRuntime = std::getenv("XDG_RUNTIME_DIR");
    const std::string keptRuntime = oldRuntime ? oldRuntime : "";
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    {
        instruments::testing::Simulator simulator("XTH", { "--port", "3" });
        ASSERT_FALSE(simulator.path().empty()) << "simulator did not start";
        services::FakeServices fakes;
        services::SystemClock clock;
        fakes.dialogs.setOnYield([] { QCoreApplication::processEvents(); });
        Form1 f({ fakes.dialogs, clock, fakes.printer, fakes.pictures },
            std::make_unique<services::QtSerialPort>(), folder, "1.0.0");
        ASSERT_TRUE(f.Form_Load());
        f.Combo1->setText("XTH");
        f.Text4->setText("3");

        QTest::mouseClick(f.Command8->button(), Qt::LeftButton);

        EXPECT_TRUE(fakes.dialogs.messages().empty())
            << ::testing::PrintToString(fakes.dialogs.messages());
        EXPECT_EQ(f.Text3->text().find("cannot be opened"), std::string::npos) << f.Text3->text();
        expectSimulatedReading(f);
    }
    if (oldRuntime) {
        ::setenv("XDG_RUNTIME_DIR", keptRuntime.c_str(), 1);
    } else {
        ::unsetenv("XDG_RUNTIME_DIR");
    }
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace tw::screen::testing
