#pragma once
// Which device path stands behind a numbered COM port. The connect dialog and the command-line
// tool's --port N name com ports by number; everything past them names a port by its device path.
// The sources of the map are handed in, so that two connections (or two tests) in one process
// never share a hidden table.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace veldrin {

// Looks up a port's device path in the program's settings; nullopt (or an empty text) when the
// settings name none for that port.
using PortProfileLookup = std::function<std::optional<std::string>(int port)>;

// Where the device paths of the com ports come from.
struct PortSources {
    // The value of an environment variable; nullopt when it is not set. Empty: no environment.
    std::function<std::optional<std::string>(const std::string& name)> environment;
    // The program's settings; empty: none.
    PortProfileLookup profile;

    // This process's environment and `profile`.
    static PortSources OfProcess(PortProfileLookup profile = {});
};

// Port N maps to the environment variable VELDRIN_COM<N> when it is set and not empty, else to the
// settings entry for the port when there is one, else to /dev/ttyUSB<N-1>.
std::string DevicePathForPort(int port, const PortSources& sources);

// Where the device path `path` finally leads (a by-id name to its tty), or the path itself when it
// leads nowhere: two names of one device resolve alike.
std::string ResolvedDevicePath(const std::string& path);

// The paths of `devicePaths` that lead to another device than every path of `comPaths` does (a
// stable name and the node it links to are one device), so that none is searched twice.
std::vector<std::string> PathsBeside(const std::vector<std::string>& devicePaths,
                                     const std::vector<std::string>& comPaths);

}  // namespace veldrin
