#pragma once
// The serial devices present on the machine, as a user would pick them: the stable names under
// /dev/serial/by-id/ with the adapter's maker and product, then the USB serial adapters and modems
// (ttyUSB*, ttyACM*) that have no stable name, then the built-in ports (ttyS*) that have a UART
// behind them. Reads a sysfs tree and a /dev tree whose roots are given, so that it can run on a
// made-up tree.
#include <sys/types.h>
#include <string>
#include <vector>

namespace veldrin {

struct DeviceRoots {
    std::string sys = "/sys";
    std::string dev = "/dev";
};

// Whose access to the device nodes is judged: by default the running process's.
struct Credentials {
    uid_t uid = 0;
    std::vector<gid_t> groups;  // the primary group first, then the supplementary ones

    static Credentials OfThisProcess();
};

struct SerialDevice {
    std::string path;         // what to open, e.g. /dev/serial/by-id/usb-FTDI_…-port0 or /dev/ttyS0
    std::string kernelName;   // the tty it leads to, e.g. ttyUSB0
    std::string maker;        // the USB adapter's manufacturer, empty when sysfs names none
    std::string product;      // the USB adapter's product, empty when sysfs names none
    bool accessible = false;  // the credentials may read and write the device node
    std::string group;        // the device node's group (e.g. dialout), to name in a permission note

    bool operator==(const SerialDevice&) const = default;
};

// True when `credentials` may open a node of `mode`, `owner` and `group` for reading and writing.
bool MayReadWrite(mode_t mode, uid_t owner, gid_t group, const Credentials& credentials);

// The devices in the order described above; by-id names first in name order, then kernel names in
// natural order (ttyUSB2 before ttyUSB10). A kernel device reached through a by-id name is listed
// only under that name.
std::vector<SerialDevice> FindSerialDevices(const DeviceRoots& roots = {},
                                            const Credentials& credentials = Credentials::OfThisProcess());

// "maker product (ttyUSB0)", or the kernel name alone when sysfs names neither.
std::string DeviceSummary(const SerialDevice& device);

}  // namespace veldrin
