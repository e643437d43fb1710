#pragma once
// Which device path stands behind a numbered COM port. Every place that opens a port by number
// goes through DevicePathForPort, so that the environment, the program's settings and the default
// agree everywhere.
#include <functional>
#include <optional>
#include <string>

namespace veldrin {

// Looks up a port's device path in the program's settings; nullopt (or an empty text) when the
// settings name none for that port.
using PortProfileLookup = std::function<std::optional<std::string>(int port)>;

// Installs the settings lookup (the desktop program installs one over its settings file); an empty
// function removes it. Safe to call from any thread.
void SetPortProfileLookup(PortProfileLookup lookup);

// Port N maps to the environment variable VELDRIN_COM<N> when it is set and not empty, else to the
// settings entry for the port when there is one, else to /dev/ttyUSB<N-1>.
std::string DevicePathForPort(int port);

}  // namespace veldrin
