#include "screen_fixture.h"

#include "text/textfile.h"
#include "ui/textbox.h"

#include <QLineEdit>
#include <QTest>

#include <unistd.h>

namespace tw::screen::testing {

void ScreenTest::SetUp() {
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = std::filesystem::temp_directory_path()
        / ("tw_screen_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_"
            + info->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(
        std::filesystem::path(TW_DATA_DIR) / "Muncie.dat", folder / "Muncie.dat");
    fakes.clock.setDate(2026, 12, 8);
    fakes.clock.setTime(14, 5, 9);
}

void ScreenTest::TearDown() {
    form.reset();
    std::filesystem::remove_all(folder);
}

Form1 &ScreenTest::make() {
    auto port = std::make_unique<services::ScriptedSerialPort>(fakes.clock);
    serial = port.get();
    form = std::make_unique<Form1>(fakes.services(), std::move(port), folder, "1.0.0");
    return *form;
}

Form1 &ScreenTest::start() {
    make();
    EXPECT_TRUE(form->Form_Load()) << ::testing::PrintToString(fakes.dialogs.messages());
    return *form;
}

void ScreenTest::writeFile(const std::string &name, const std::string &contents) {
    std::string error;
    ASSERT_TRUE(text::writeFile((folder / name).string(), contents, error)) << error;
}

std::string ScreenTest::readFile(const std::string &name) const {
    std::string contents;
    std::string error;
    EXPECT_TRUE(text::readFile((folder / name).string(), contents, error)) << error;
    return contents;
}

void ScreenTest::typeAndEnter(ui::TextBox *box, const std::string &text) {
    QLineEdit *edit = box->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromStdString(text));
    QTest::keyClick(edit, Qt::Key_Return);
}

std::vector<std::string> ScreenTest::allBoxes() const {
    std::vector<std::string> out;
    for (auto *b : form->Text12) {
        out.push_back(b->text());
    }
    for (auto *b : form->Text11) {
        out.push_back(b->text());
    }
    for (auto *b : form->Text18) {
        out.push_back(b->text());
    }
    for (auto *b : form->Text15) {
        out.push_back(b->text());
    }
    for (auto *b : form->Text1) {
        out.push_back(b->text());
    }
    for (auto *b : form->Text2) {
        out.push_back(b->text());
    }
    return out;
}

} // namespace tw::screen::testing
