#pragma once
// Reading an alarm limit typed into a limit box.
#include <string>

namespace veldrin {

// The number at the start of `text`, truncated towards zero to a whole number; 0 when the text
// does not start with a number. Values beyond the int range are held at its ends.
int LimitFromText(const std::string& text);

}  // namespace veldrin
