#pragma once
// File names made from a template, for downloads saved without a question: the command-line tool's
// `-o` and the window's list of loggers share it.
//
// Placeholders: {title}, {model}, {start:FORMAT}, {end:FORMAT}, {count}, {port}, {device},
// {date:FORMAT} (FORMAT is strftime's, default %Y%m%d-%H%M). A `/` written in the template makes
// folders; what a placeholder puts in never does: every value is made safe for one path component
// first, so a logger's title cannot leave the folder or make one.
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

namespace veldrin {

// What a name may be made of. Texts are UTF-8.
struct NameFields {
    std::string title;      // the logger's title, blanks as stored
    std::string model;      // "single", "dual", "humidity"
    std::time_t start = 0;  // first and last reading
    std::time_t end = 0;
    int count = 0;        // readings
    std::string port;     // device path, e.g. /dev/ttyUSB0
    std::string device;   // stable by-id path, empty when there is none
    std::time_t now = 0;  // the time of the download
};

struct ExpandedName {
    std::string path;   // empty when the template was refused
    std::string error;  // why it was refused
    explicit operator bool() const { return error.empty(); }
};

// Expands `pattern` with `fields` (times local). Refuses an unknown placeholder, an unclosed brace
// and a template that names no file.
ExpandedName ExpandNameTemplate(std::string_view pattern, const NameFields& fields);

// One path component made of `text`: trimmed; '/', control characters and invalid UTF-8 replaced
// by '_'; a leading '.' replaced by '_'; at most 200 bytes (never splitting a character); "_" for
// nothing left.
std::string SafeNameComponent(std::string_view text);

// The file name of a device path, as names and progress lines give a port: /dev/ttyUSB0 → ttyUSB0.
std::string DeviceFileName(const std::string& devicePath);

// `path` when nothing is there yet, else the first of path-1.ext, path-2.ext, … that is free
// (the number goes before the last extension of the file name).
std::string FirstFreePath(const std::string& path, const std::function<bool(const std::string&)>& exists);

}  // namespace veldrin
