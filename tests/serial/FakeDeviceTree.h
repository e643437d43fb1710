#pragma once
// A made-up sysfs and /dev tree in a temporary folder, for the serial device discovery.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/TempFolder.h"

namespace veldrin::test {

class FakeDeviceTree {
  public:
    FakeDeviceTree() {
        std::filesystem::create_directories(Sys());
        std::filesystem::create_directories(Dev());
    }
    FakeDeviceTree(const FakeDeviceTree&) = delete;
    FakeDeviceTree& operator=(const FakeDeviceTree&) = delete;

    std::string Sys() const { return folder_.Path() + "/sys"; }
    std::string Dev() const { return folder_.Path() + "/dev"; }

    // A USB device at sysfs folder `usbName` (e.g. "1-2") with the given descriptor strings (an
    // empty one is left out), and a tty on its first interface.
    void AddUsbTty(const std::string& kernelName, const std::string& usbName, const std::string& maker,
                   const std::string& product, mode_t mode = 0666) {
        const std::string usb = Sys() + "/devices/pci0000:00/0000:00:14.0/usb1/" + usbName;
        const std::string interface = usb + "/" + usbName + ":1.0";
        std::filesystem::create_directories(interface + "/" + kernelName);
        Write(usb + "/idVendor", "0403\n");
        if (!maker.empty())
            Write(usb + "/manufacturer", maker + "\n");
        if (!product.empty())
            Write(usb + "/product", product + "\n");
        AddTty(kernelName, interface + "/" + kernelName, mode);
    }
    // A tty whose sysfs device is the folder `deviceFolder` (created), with a device node.
    void AddTty(const std::string& kernelName, const std::string& deviceFolder, mode_t mode = 0666) {
        std::filesystem::create_directories(deviceFolder);
        const std::string entry = Sys() + "/class/tty/" + kernelName;
        std::filesystem::create_directories(entry);
        std::filesystem::create_directory_symlink(deviceFolder, entry + "/device");
        AddNode(kernelName, mode);
    }
    // A built-in port with the given UART type (0: none behind it).
    void AddBuiltInPort(const std::string& kernelName, int uartType) {
        AddTty(kernelName, Sys() + "/devices/platform/serial8250/" + kernelName);
        Write(Sys() + "/class/tty/" + kernelName + "/type", std::to_string(uartType) + "\n");
    }
    // A device node (a plain file stands in for it) without anything in sysfs.
    void AddNode(const std::string& name, mode_t mode = 0666) {
        Write(Dev() + "/" + name, "");
        ::chmod((Dev() + "/" + name).c_str(), mode);
    }
    // A stable name as udev makes it: a relative link from /dev/serial/by-id to the node.
    void AddById(const std::string& name, const std::string& kernelName) {
        std::filesystem::create_directories(Dev() + "/serial/by-id");
        std::filesystem::create_symlink("../../" + kernelName, Dev() + "/serial/by-id/" + name);
    }

  private:
    static void Write(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

    TempFolder folder_;
};

}  // namespace veldrin::test
