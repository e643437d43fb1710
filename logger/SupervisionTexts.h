#pragma once
// What the user is told when a silent logger ends an activity before it finished; shown through
// texts::Translated (ConnectionTexts.h), in the language of the run.
#include "translations/Translation.h"

namespace veldrin::texts {

// In the progress strip while a logger is silent during an activity: the seconds left before the
// port is closed.
inline constexpr const char* kLinkTimeoutCountdown =
    QT_TRANSLATE_NOOP("veldrin::texts", "通信超时，%d秒后断开连接");

inline constexpr const char* kConnectUnfinished =
    QT_TRANSLATE_NOOP("veldrin::texts", "通信中断，连接未完成。");
inline constexpr const char* kDownloadUnfinished =
    QT_TRANSLATE_NOOP("veldrin::texts", "通信中断，历史数据未读完：收到%d块，共%d块。");
inline constexpr const char* kHistoryIncomplete =
    QT_TRANSLATE_NOOP("veldrin::texts", "历史数据不完整：%d条记录，共%d条。");
inline constexpr const char* kSettingsUnfinished =
    QT_TRANSLATE_NOOP("veldrin::texts", "通信中断，仪器设置未完成：设置未全部写入仪器。");
inline constexpr const char* kStopUnfinished =
    QT_TRANSLATE_NOOP("veldrin::texts", "通信中断，停止记录未完成。");

}  // namespace veldrin::texts
