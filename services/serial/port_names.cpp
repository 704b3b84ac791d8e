// USB adapters come first because that is how almost every instrument is
// attached to a computer today; the built-in UART ttyS is the last resort,
// since its device exists on most machines whether or not a port is wired.
//
// The user's own link comes before them all. It exists only because the user
// (or a simulator the user started) made it for this very port, whereas
// /dev/ttyS<n-1> exists whether or not anything is attached: looked at
// later, a simulator on port 1 would never be reached on most machines.
#include "services/serial/port_names.h"

#include "services/serial/user_ports.h"

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

std::vector<std::string> portPlaces(int port) {
    std::vector<std::string> places;
#ifndef _WIN32
    places.push_back(userPortLink(userPortFolder(), port).string());
#endif
    for (std::string &device : candidateDevices(port)) {
        places.push_back(std::move(device));
    }
    return places;
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
        if (std::string own = userPortDevice(userPortFolder(), port); !own.empty()) {
            return own;
        }
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
