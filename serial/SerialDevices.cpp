#include "serial/SerialDevices.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <climits>
#include <filesystem>
#include <fstream>
#include <set>
#include <system_error>

namespace veldrin {
namespace fs = std::filesystem;
namespace {

// The kernel names of the serial ports a logger can hang on, in the order they are listed.
constexpr std::array<std::string_view, 3> kKernelPrefixes{"ttyUSB", "ttyACM", "ttyS"};

bool IsKernelSerialName(std::string_view name) {
    for (std::string_view prefix : kKernelPrefixes) {
        if (name.size() > prefix.size() && name.substr(0, prefix.size()) == prefix &&
            std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                        [](unsigned char c) { return std::isdigit(c) != 0; })) {
            return true;
        }
    }
    return false;
}

// ttyUSB2 before ttyUSB10, and the prefixes in the order of kKernelPrefixes. Only for names that
// IsKernelSerialName accepts.
std::pair<std::size_t, unsigned long> KernelRank(const std::string& name) {
    for (std::size_t i = 0; i < kKernelPrefixes.size(); ++i) {
        if (name.compare(0, kKernelPrefixes[i].size(), kKernelPrefixes[i]) == 0) {
            unsigned long number = ULONG_MAX;  // a number too long to read goes last
            std::from_chars(name.data() + kKernelPrefixes[i].size(), name.data() + name.size(), number);
            return {i, number};
        }
    }
    return {kKernelPrefixes.size(), 0};
}

bool KernelOrder(const std::string& a, const std::string& b) {
    return KernelRank(a) < KernelRank(b);
}

std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())) != 0) {
        line.pop_back();
    }
    return line;
}

// The USB device the tty belongs to: the nearest folder above its sysfs device that carries a
// vendor id. Empty when the tty is not on USB.
fs::path UsbDeviceOf(const DeviceRoots& roots, const std::string& kernelName) {
    std::error_code error;
    const fs::path sysRoot = fs::weakly_canonical(roots.sys, error);
    fs::path folder = fs::canonical(fs::path(roots.sys) / "class/tty" / kernelName / "device", error);
    if (error) {
        return {};
    }
    for (; !folder.empty() && folder != sysRoot && folder != folder.parent_path();
         folder = folder.parent_path()) {
        if (fs::exists(folder / "idVendor", error)) {
            return folder;
        }
    }
    return {};
}

// A built-in port is real when the kernel found a UART behind it: its sysfs entry has a device and
// a UART type other than 0 (no UART).
bool HasHardware(const DeviceRoots& roots, const std::string& kernelName) {
    const fs::path entry = fs::path(roots.sys) / "class/tty" / kernelName;
    std::error_code error;
    if (!fs::exists(entry / "device", error)) {
        return false;
    }
    if (kernelName.compare(0, 4, "ttyS") != 0 || !fs::exists(entry / "type", error)) {
        return true;
    }
    const std::string type = FirstLine(entry / "type");
    return !type.empty() && type != "0";
}

std::string GroupName(gid_t gid) {
    std::array<char, 1024> buffer{};
    group entry{};
    group* found = nullptr;
    if (getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr) {
        return found->gr_name;
    }
    return std::to_string(gid);
}

SerialDevice Describe(const DeviceRoots& roots, const Credentials& credentials, const fs::path& path,
                      const std::string& kernelName) {
    SerialDevice device;
    device.path = path.string();
    device.kernelName = kernelName;
    if (const fs::path usb = UsbDeviceOf(roots, kernelName); !usb.empty()) {
        device.maker = FirstLine(usb / "manufacturer");
        device.product = FirstLine(usb / "product");
    }
    struct stat node {};
    if (::stat(device.path.c_str(), &node) == 0) {
        device.accessible = MayReadWrite(node.st_mode, node.st_uid, node.st_gid, credentials);
        device.group = GroupName(node.st_gid);
    }
    return device;
}

std::vector<fs::path> SortedEntries(const fs::path& folder) {
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        entries.push_back(it->path());
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

}  // namespace

Credentials Credentials::OfThisProcess() {
    Credentials credentials;
    credentials.uid = ::geteuid();
    credentials.groups.push_back(::getegid());
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        std::vector<gid_t> supplementary(static_cast<std::size_t>(count));
        const int filled = ::getgroups(count, supplementary.data());
        supplementary.resize(static_cast<std::size_t>(std::max(filled, 0)));
        credentials.groups.insert(credentials.groups.end(), supplementary.begin(), supplementary.end());
    }
    return credentials;
}

bool MayReadWrite(mode_t mode, uid_t owner, gid_t group, const Credentials& credentials) {
    if (credentials.uid == 0) {
        return true;
    }
    // The first class that applies decides, as the kernel does: owner, then group, then others.
    constexpr mode_t kOwnerRw = S_IRUSR | S_IWUSR;
    constexpr mode_t kGroupRw = S_IRGRP | S_IWGRP;
    constexpr mode_t kOtherRw = S_IROTH | S_IWOTH;
    if (credentials.uid == owner) {
        return (mode & kOwnerRw) == kOwnerRw;
    }
    if (std::find(credentials.groups.begin(), credentials.groups.end(), group) != credentials.groups.end()) {
        return (mode & kGroupRw) == kGroupRw;
    }
    return (mode & kOtherRw) == kOtherRw;
}

std::vector<SerialDevice> FindSerialDevices(const DeviceRoots& roots, const Credentials& credentials) {
    std::vector<SerialDevice> devices;
    std::set<std::string> reached;
    std::error_code error;
    for (const fs::path& link : SortedEntries(fs::path(roots.dev) / "serial/by-id")) {
        const fs::path target = fs::read_symlink(link, error);
        if (error) {
            continue;
        }
        const std::string kernelName = target.filename().string();
        // A link left behind by an adapter that is gone leads nowhere.
        if (!IsKernelSerialName(kernelName) || !fs::exists(link, error)) {
            continue;
        }
        reached.insert(kernelName);
        devices.push_back(Describe(roots, credentials, link, kernelName));
    }
    std::vector<std::string> kernelNames;
    for (const fs::path& node : SortedEntries(roots.dev)) {
        const std::string name = node.filename().string();
        if (IsKernelSerialName(name) && reached.count(name) == 0 && HasHardware(roots, name)) {
            kernelNames.push_back(name);
        }
    }
    std::sort(kernelNames.begin(), kernelNames.end(), KernelOrder);
    for (const std::string& name : kernelNames) {
        devices.push_back(Describe(roots, credentials, fs::path(roots.dev) / name, name));
    }
    return devices;
}

std::string DeviceSummary(const SerialDevice& device) {
    std::string adapter = device.maker;
    if (!device.product.empty()) {
        adapter += (adapter.empty() ? "" : " ") + device.product;
    }
    return adapter.empty() ? device.kernelName : adapter + " (" + device.kernelName + ")";
}

}  // namespace veldrin
