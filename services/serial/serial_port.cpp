// The texts a user reads when a port cannot be opened: the port number as the
// user chose it, the device it named, and the reason in plain words.
#include "services/serial/serial_port.h"

namespace tw::services {

std::string describeOpenFailure(int commPort, const PortError &error) {
    std::string text = "Comm Port " + std::to_string(commPort) + " cannot be opened: ";
    const std::string device = error.device.empty() ? "the device" : error.device;
    switch (error.reason) {
    case OpenFailure::Absent:
        text += error.device.empty() ? "no serial device found" : error.device + " does not exist";
        break;
    case OpenFailure::Busy:
        text += device + " is in use by another program";
        break;
    case OpenFailure::NoPermission:
        text += "no permission to use " + device;
        break;
    case OpenFailure::BadSettings:
        text += "the line settings are not valid for " + device;
        break;
    case OpenFailure::Other:
    case OpenFailure::None:
        text += device + " failed";
        break;
    }
    if (!error.detail.empty()) {
        text += " (" + error.detail + ")";
    }
    return text;
}

} // namespace tw::services
