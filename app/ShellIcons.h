#pragma once
// The program's icons, drawn at run time: the five toolbar images and the application icon.
#include <QIcon>

namespace veldrin {

enum class ToolbarImage { Open, Save, Connect, RealtimeView, HistoryView };

QIcon ToolbarIcon(ToolbarImage image);
QIcon ApplicationIcon();

}  // namespace veldrin
