#pragma once
// The user-visible texts of the connection, as written in Chinese; Translated() gives one in the
// language of the run, which is what the user is shown.
#include <string>

#include "logger/ConnectionState.h"
#include "translations/Translation.h"

namespace veldrin::texts {

// A text of this file or of SupervisionTexts.h in the language of the run.
inline std::string Translated(const char* text) {
    return text::translate("veldrin::texts", text);
}

inline constexpr const char* kPortClosed =
    QT_TRANSLATE_NOOP("veldrin::texts", "打开串口");  // port state: connect allowed
inline constexpr const char* kPortOpen =
    QT_TRANSLATE_NOOP("veldrin::texts", "关闭串口");  // port state: disconnect allowed
inline constexpr const char* kOpenFailed = QT_TRANSLATE_NOOP("veldrin::texts", "打开com%d失败");
inline constexpr const char* kOpenDeviceFailed =
    QT_TRANSLATE_NOOP("veldrin::texts", "打开%s失败");  // a device picked by its path
inline constexpr const char* kDeviceNotFound = QT_TRANSLATE_NOOP("veldrin::texts", "未找到设备");
inline constexpr const char* kInstrumentMismatch = QT_TRANSLATE_NOOP("veldrin::texts", "仪器不匹配");
// Below "仪器不匹配": the model chosen (%1) and the model that answered (%2), and the button that
// connects again as the latter (%1).
inline constexpr const char* kMismatchModels = QT_TRANSLATE_NOOP("veldrin::texts", "选择的是%1，连接的是%2");
inline constexpr const char* kReconnectAs = QT_TRANSLATE_NOOP("veldrin::texts", "重新连接为%1");
inline constexpr const char* kAutoSearchFound =
    QT_TRANSLATE_NOOP("veldrin::texts", "自动搜索找到仪器，位于COM%d");
inline constexpr const char* kAutoSearchFoundDevice =
    QT_TRANSLATE_NOOP("veldrin::texts", "自动搜索找到仪器，位于%s");
inline constexpr const char* kReconnectQuestion =
    QT_TRANSLATE_NOOP("veldrin::texts", "仪器不匹配!  是否重新连接仪器?");
inline constexpr const char* kLinkTimeout = QT_TRANSLATE_NOOP("veldrin::texts", "通信超时");
inline constexpr const char* kDeviceNotConnected = QT_TRANSLATE_NOOP("veldrin::texts", "设备未连接");
inline constexpr const char* kLinkNormal = QT_TRANSLATE_NOOP("veldrin::texts", "设备通讯正常");
inline constexpr const char* kConnecting = QT_TRANSLATE_NOOP("veldrin::texts", "正在连接");
inline constexpr const char* kSettingUp = QT_TRANSLATE_NOOP("veldrin::texts", "正在设置仪器");
inline constexpr const char* kSettingDone = QT_TRANSLATE_NOOP("veldrin::texts", "设置完成");
inline constexpr const char* kReadingHistory = QT_TRANSLATE_NOOP("veldrin::texts", "正在读取历史数据");
inline constexpr const char* kRecording = QT_TRANSLATE_NOOP("veldrin::texts", "已启动记录");
inline constexpr const char* kNotRecording = QT_TRANSLATE_NOOP("veldrin::texts", "未启动记录");
inline constexpr const char* kVoltageNormal = QT_TRANSLATE_NOOP("veldrin::texts", "正常");
inline constexpr const char* kVoltageAbnormal = QT_TRANSLATE_NOOP("veldrin::texts", "不正常");
inline constexpr const char* kHistoryQuestion =
    QT_TRANSLATE_NOOP("veldrin::texts", "停止记录并读取历史数据？");
// What a user who may not open a serial device has to do.
inline constexpr const char* kSerialAccessHint = QT_TRANSLATE_NOOP(
    "veldrin::texts",
    "需要有访问串口设备的权限：在 Debian 上把用户加入 dialout 组（sudo adduser 用户名 dialout），"
    "然后注销并重新登录。");
// The status text while the progress strip is drawn.
inline constexpr const char* kBlankStatus = "                        ";

// The port state as the connect button names what it does next.
inline std::string PortStateText(PortState state) {
    return Translated(state == PortState::Open ? kPortOpen : kPortClosed);
}
// The link status as the status pane shows it.
inline std::string LinkStatusText(LinkStatus status) {
    switch (status) {
        case LinkStatus::Blank:
            return kBlankStatus;
        case LinkStatus::Normal:
            return Translated(kLinkNormal);
        case LinkStatus::Timeout:
            return Translated(kLinkTimeout);
        case LinkStatus::NotConnected:
            return Translated(kDeviceNotConnected);
        case LinkStatus::Unsaid:
            break;
    }
    return "";
}

inline std::string RecordingText(int state) {
    return Translated(state == 1 ? kRecording : kNotRecording);
}
inline std::string VoltageText(int state) {
    return Translated(state == 0 ? kVoltageNormal : kVoltageAbnormal);
}

}  // namespace veldrin::texts
