// Which device a port number 1..4 names. The mapping is a replaceable part of
// the serial service: the program uses systemPortLocator(), tests hand in a
// locator that points a port at a pseudo-terminal.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tw::services {

// The device path for a port number, or an empty text when there is none.
using PortLocator = std::function<std::string(int port)>;

// The devices port n may name, in order of preference: on Linux
// /dev/ttyUSB<n-1>, /dev/ttyACM<n-1>, /dev/ttyS<n-1>; on Windows COMn.
[[nodiscard]] std::vector<std::string> candidateDevices(int port);

// The first candidate device that exists (on Windows always COMn).
[[nodiscard]] PortLocator systemPortLocator();

} // namespace tw::services
