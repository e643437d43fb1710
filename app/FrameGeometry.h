#pragma once
// Where the main window goes at start-up: 1000 × 720, shrunk to a smaller screen, centred.
#include <QRect>

namespace veldrin {

inline constexpr int kFrameWidth = 1000;
inline constexpr int kFrameHeight = 720;

// `screen` is the usable area of the screen. The height keeps 10 pixels of the screen free.
QRect InitialFrameRect(const QRect& screen);

}  // namespace veldrin
