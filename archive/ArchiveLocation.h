#pragma once
// Which archive a program works with, chosen the same way by every program: the location given on
// its command line, else the one its settings name, else $VELDRIN_ARCHIVE, else the default file.
#include <string>

namespace veldrin::archive {

// `given`: from the command line; `configured`: from the program's settings. Either may be empty.
// "" stands for the default SQLite file.
std::string ChooseLocation(const std::string& given, const std::string& configured = {});

// The location for messages: "the default archive", the SQLite file, or the URL without its
// password ("the archive given" for a URL that does not parse).
std::string DescribeLocation(const std::string& location);

}  // namespace veldrin::archive
