// A conversion screen on real widgets with scripted services, working in a
// fresh folder that holds the project's Muncie.dat.
#pragma once

#include "screen/form1.h"
#include "testing/fake_services.h"
#include "testing/scripted_serial_port.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

namespace tw::screen::testing {

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the window (without starting it).
    Form1 &make();
    // Makes the window and runs its start-up; the test fails if it fails.
    Form1 &start();

    void writeFile(const std::string &name, const std::string &contents);
    [[nodiscard]] std::string readFile(const std::string &name) const;

    // Types a text into a box as a user does (focus, select all, type) and
    // presses Enter.
    static void typeAndEnter(ui::TextBox *box, const std::string &text);

    // Every entry box's text, for "nothing changed" checks.
    [[nodiscard]] std::vector<std::string> allBoxes() const;

    std::filesystem::path folder;
    services::FakeServices fakes;
    services::ScriptedSerialPort *serial = nullptr;
    std::unique_ptr<Form1> form;
};

} // namespace tw::screen::testing
