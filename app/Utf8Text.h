#pragma once
// The program's own texts are UTF-8; the widgets take them as QString.
#include <QString>
#include <string_view>

namespace veldrin {

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace veldrin
