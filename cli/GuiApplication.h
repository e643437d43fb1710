#pragma once

namespace veldrin::cli {

// Fonts, pages and charts need a GUI application; the tool has none until a command first draws
// something, and then one on the window-less platform unless QT_QPA_PLATFORM says otherwise.
void EnsureGuiApplication();

}  // namespace veldrin::cli
