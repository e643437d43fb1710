#pragma once
// The user-visible texts of the connection, exactly as shown.
#include "logger/ConnectionState.h"

namespace veldrin::texts {

inline constexpr const char* kPortClosed = "打开串口";  // port state: connect allowed
inline constexpr const char* kPortOpen = "关闭串口";    // port state: disconnect allowed
inline constexpr const char* kOpenFailed = "打开com%d失败";
inline constexpr const char* kOpenDeviceFailed = "打开%s失败";  // a device picked by its path
inline constexpr const char* kDeviceNotFound = "未找到设备";
inline constexpr const char* kInstrumentMismatch = "仪器不匹配";
// Below "仪器不匹配": the model chosen (%1) and the model that answered (%2), and the button that
// connects again as the latter (%1).
inline constexpr const char* kMismatchModels = "选择的是%1，连接的是%2";
inline constexpr const char* kReconnectAs = "重新连接为%1";
inline constexpr const char* kAutoSearchFound = "自动搜索找到仪器，位于COM%d";
inline constexpr const char* kAutoSearchFoundDevice = "自动搜索找到仪器，位于%s";
inline constexpr const char* kReconnectQuestion = "仪器不匹配!  是否重新连接仪器?";
inline constexpr const char* kLinkTimeout = "通信超时";
inline constexpr const char* kDeviceNotConnected = "设备未连接";
inline constexpr const char* kLinkNormal = "设备通讯正常";
inline constexpr const char* kConnecting = "正在连接";
inline constexpr const char* kSettingUp = "正在设置仪器";
inline constexpr const char* kSettingDone = "设置完成";
inline constexpr const char* kReadingHistory = "正在读取历史数据";
inline constexpr const char* kRecording = "已启动记录";
inline constexpr const char* kNotRecording = "未启动记录";
inline constexpr const char* kVoltageNormal = "正常";
inline constexpr const char* kVoltageAbnormal = "不正常";
inline constexpr const char* kHistoryQuestion = "停止记录并读取历史数据？";
// What a user who may not open a serial device has to do.
inline constexpr const char* kSerialAccessHint =
    "需要有访问串口设备的权限：在 Debian 上把用户加入 dialout 组（sudo adduser 用户名 dialout），"
    "然后注销并重新登录。";
// The status text while the progress strip is drawn.
inline constexpr const char* kBlankStatus = "                        ";

// The port state as the connect button names what it does next.
inline const char* PortStateText(PortState state) {
    return state == PortState::Open ? kPortOpen : kPortClosed;
}
// The link status as the status pane shows it.
inline const char* LinkStatusText(LinkStatus status) {
    switch (status) {
        case LinkStatus::Blank:
            return kBlankStatus;
        case LinkStatus::Normal:
            return kLinkNormal;
        case LinkStatus::Timeout:
            return kLinkTimeout;
        case LinkStatus::NotConnected:
            return kDeviceNotConnected;
        case LinkStatus::Unsaid:
            break;
    }
    return "";
}

inline const char* RecordingText(int state) {
    return state == 1 ? kRecording : kNotRecording;
}
inline const char* VoltageText(int state) {
    return state == 0 ? kVoltageNormal : kVoltageAbnormal;
}

}  // namespace veldrin::texts
