// USB adapters come first because that is how almost every instrument is
// attached to a computer today; the built-in UART ttyS is the last resort,
// since its device exists on most machines whether or not a port is wired.
#include "services/serial/port_names.h"

#include <filesystem>

namespace tw::services {

std::vector<std::string> candidateDevices(int port) {
#ifdef _WIN32
    return { "COM" + std::to_string(port) };
#else
    const std::string index = std::to_string(port - 1);
    return { "/dev/ttyUSB" + index, "/dev/ttyACM" + index, "/dev/ttyS" + index };
#endif
}

PortLocator systemPortLocator() {
    return [](int port) -> std::string {
        if (port < 1) {
            return {};
        }
        const auto candidates = candidateDevices(port);
#ifdef _WIN32
        return candidates.front();
#else
        for (const auto &device : candidates) {
            std::error_code ec;
            if (std::filesystem::exists(device, ec)) {
                return device;
            }
        }
        return {};
#endif
    };
}

} // namespace tw::services
