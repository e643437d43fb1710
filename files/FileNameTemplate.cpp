#include "files/FileNameTemplate.h"

#include <array>
#include <cstdint>
#include <filesystem>

namespace veldrin {
namespace {

constexpr std::string_view kDefaultTimeFormat = "%Y%m%d-%H%M";
constexpr std::size_t kMaxComponentBytes = 200;

// Length of the UTF-8 sequence that starts `text` at `at`, 0 when it is not a valid one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<std::uint8_t>(text[at]);
    std::size_t length = 0;
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0 && lead >= 0xC2)
        length = 2;
    else if ((lead & 0xF0) == 0xE0)
        length = 3;
    else if ((lead & 0xF8) == 0xF0 && lead <= 0xF4)
        length = 4;
    else
        return 0;
    if (at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<std::uint8_t>(text[at + i]) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string LocalTime(std::time_t time, std::string_view format) {
    std::tm parts{};
    localtime_r(&time, &parts);
    const std::string pattern(format.empty() ? kDefaultTimeFormat : format);
    std::array<char, 256> buffer{};
    const std::size_t written = std::strftime(buffer.data(), buffer.size(), pattern.c_str(), &parts);
    return std::string(buffer.data(), written);
}

// The value of placeholder `name` with its optional `format`; false for an unknown name.
bool PlaceholderValue(std::string_view name, std::string_view format, const NameFields& fields,
                      std::string& value) {
    if (name == "title")
        value = fields.title;
    else if (name == "model")
        value = fields.model;
    else if (name == "start")
        value = LocalTime(fields.start, format);
    else if (name == "end")
        value = LocalTime(fields.end, format);
    else if (name == "date")
        value = LocalTime(fields.now, format);
    else if (name == "count")
        value = std::to_string(fields.count);
    else if (name == "port")
        value = DeviceFileName(fields.port);
    else if (name == "device")
        value = DeviceFileName(fields.device.empty() ? fields.port : fields.device);
    else
        return false;
    return true;
}

}  // namespace

std::string SafeNameComponent(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    std::string safe;
    for (std::size_t at = first; at < last;) {
        const std::size_t length = Utf8SequenceLength(text, at);
        const auto byte = static_cast<std::uint8_t>(text[at]);
        const std::size_t step = length == 0 ? 1 : length;
        const bool refused = length == 0 || byte < 0x20 || byte == 0x7F || text[at] == '/';
        const std::size_t added = refused ? 1 : length;
        if (safe.size() + added > kMaxComponentBytes)
            break;
        if (refused)
            safe += '_';
        else
            safe.append(text.substr(at, length));
        at += step;
    }
    if (safe.empty())
        return "_";
    if (safe.front() == '.')
        safe.front() = '_';
    return safe;
}

ExpandedName ExpandNameTemplate(std::string_view pattern, const NameFields& fields) {
    ExpandedName result;
    std::string& path = result.path;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (pattern[at] != '{') {
            path += pattern[at];
            continue;
        }
        const std::size_t close = pattern.find('}', at);
        if (close == std::string_view::npos)
            return {{}, "the name template has a '{' without its '}'"};
        const std::string_view inside = pattern.substr(at + 1, close - at - 1);
        const std::size_t colon = inside.find(':');
        const std::string_view name = inside.substr(0, colon);
        const std::string_view format = colon == std::string_view::npos ? "" : inside.substr(colon + 1);
        std::string value;
        if (!PlaceholderValue(name, format, fields, value))
            return {{}, "the name template has an unknown placeholder {" + std::string(inside) + "}"};
        path += SafeNameComponent(value);
        at = close;
    }
    if (path.empty() || path.back() == '/')
        return {{}, "the name template names no file"};
    return result;
}

std::string DeviceFileName(const std::string& devicePath) {
    const std::size_t slash = devicePath.find_last_of('/');
    return slash == std::string::npos ? devicePath : devicePath.substr(slash + 1);
}

std::string FirstFreePath(const std::string& path, const std::function<bool(const std::string&)>& exists) {
    if (!exists(path))
        return path;
    const std::filesystem::path original(path);
    const std::string extension =
        original.filename().has_extension() && original.filename().string().front() != '.'
            ? original.extension().string()
            : std::string();
    const std::string stem = path.substr(0, path.size() - extension.size());
    for (int number = 1;; ++number) {
        std::string candidate = stem + "-" + std::to_string(number) + extension;
        if (!exists(candidate))
            return candidate;
    }
}

}  // namespace veldrin
