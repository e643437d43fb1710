#pragma once

namespace veldrin::fleet {

// Fonts, pages and charts need a GUI application; the command-line tool has none until it first draws
// something, and then gets one on the window-less platform unless QT_QPA_PLATFORM says otherwise.
void EnsureGuiApplication();

}  // namespace veldrin::fleet
