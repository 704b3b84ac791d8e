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

// Every place port n is looked for, in order: first the user's own link
// "port<n>" (user_ports.h), then the candidate devices. Elsewhere than on
// POSIX systems, the candidate devices alone.
[[nodiscard]] std::vector<std::string> portPlaces(int port);

// The first place that leads to a device: the user's own link when it is in
// use, else the first candidate device that exists (on Windows always COMn).
[[nodiscard]] PortLocator systemPortLocator();

} // namespace tw::services
