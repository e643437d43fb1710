#pragma once
// Which device path stands behind a numbered COM port. Every place that opens a port by number
// goes through DevicePathForPort, so that the environment, the program's settings and the default
// agree everywhere.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace veldrin {

// Looks up a port's device path in the program's settings; nullopt (or an empty text) when the
// settings name none for that port.
using PortProfileLookup = std::function<std::optional<std::string>(int port)>;

// Installs the settings lookup (the desktop program installs one over its settings file); an empty
// function removes it. Safe to call from any thread.
void SetPortProfileLookup(PortProfileLookup lookup);

// Port N maps to the environment variable VELDRIN_COM<N> when it is set and not empty, else to the
// settings entry for the port when there is one, else to /dev/ttyUSB<N-1>. A named port (below)
// maps to its device path.
std::string DevicePathForPort(int port);

// A device picked by its name (one of the serial devices found on the machine) gets a port number
// of its own from kFirstNamedPort on, so that everything that opens a port by number opens it too.
// The same path keeps its number for the life of the process. Safe to call from any thread.
inline constexpr int kFirstNamedPort = 1000;
int PortForDevicePath(const std::string& devicePath);
bool IsNamedPort(int port);
// The named ports of `devicePaths`, in the same order.
std::vector<int> PortsForDevicePaths(const std::vector<std::string>& devicePaths);
// The paths of `devicePaths` that lead to another device than the auto search's com ports 1 … 8 do
// (a stable name and the node it links to are one device), so that none is searched twice.
std::vector<std::string> PathsBesideComPorts(const std::vector<std::string>& devicePaths);

}  // namespace veldrin
