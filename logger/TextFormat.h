#pragma once
// printf-style formatting into a std::string, for texts of any length.
#include <string>

namespace veldrin {

[[gnu::format(printf, 1, 2)]] std::string Printf(const char* format, ...);

}  // namespace veldrin
