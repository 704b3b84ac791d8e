// What the instrument dialogues need from the window that owns them (the
// conversion screen): its instrument list and port, its Messages box, its
// modal services and clock, the serial port MSComm1, and the last step of a
// measurement.
#pragma once

#include "services/clock.h"
#include "services/dialogs.h"
#include "services/serial/serial_port.h"

#include <array>
#include <string>

namespace tw::instruments {

class InstrumentHost {
public:
    virtual ~InstrumentHost() = default;

    // The text of the instrument list Combo1, as it stands.
    [[nodiscard]] virtual std::string instrumentText() const = 0;
    // The port number of the screen settings, 1 to 4.
    [[nodiscard]] virtual int commPort() const = 0;
    // Makes `name` the current instrument of the screen settings; Measure
    // does this with the list text at the start of every press.
    virtual void setCurrentInstrument(const std::string &name) = 0;
    // Replaces the text of the Messages box Text3.
    virtual void showMessage(const std::string &text) = 0;

    [[nodiscard]] virtual services::Dialogs &dialogs() = 0;
    [[nodiscard]] virtual const services::Clock &clock() const = 0;
    [[nodiscard]] virtual services::SerialPort &serialPort() = 0;

    // The end of a measurement: X, Y, Z already formatted with "###.00" go
    // into Text11(0), Text11(1), Text11(2), then the screen runs xyzenter.
    virtual void handoff(const std::array<std::string, 3> &xyz) = 0;
};

} // namespace tw::instruments
