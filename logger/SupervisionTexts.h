#pragma once
// What the user is told when a silent logger ends an activity before it finished.
namespace veldrin::texts {

// In the progress strip while a logger is silent during an activity: the seconds left before the
// port is closed.
inline constexpr const char* kLinkTimeoutCountdown = "通信超时，%d秒后断开连接";

inline constexpr const char* kConnectUnfinished = "通信中断，连接未完成。";
inline constexpr const char* kDownloadUnfinished = "通信中断，历史数据未读完：收到%d块，共%d块。";
inline constexpr const char* kHistoryIncomplete = "历史数据不完整：%d条记录，共%d条。";
inline constexpr const char* kSettingsUnfinished = "通信中断，仪器设置未完成：设置未全部写入仪器。";
inline constexpr const char* kStopUnfinished = "通信中断，停止记录未完成。";

}  // namespace veldrin::texts
