#pragma once
// What the device connection asks of the user and tells them: the port to connect to, its
// messages, its questions and choices, how far a running activity has come and the state of the
// link. Each of these is meant for a person and may wait for one; what the connection writes into
// the panel that shows the logger is PanelView's. The desktop program answers with its dialogs,
// progress strip and status pane, veldrin-cli on standard error with the answers given on its
// command line. Every call comes on the user-interface thread; while a question stands, the
// desktop program's 200 ms steps go on.
#include <array>
#include <ctime>
#include <optional>
#include <string_view>

#include "logger/ConnectionTexts.h"
#include "logger/LoggerModel.h"
#include "logger/PortChoice.h"

namespace veldrin {

class UserPrompts {
  public:
    virtual ~UserPrompts() = default;

    // The port and instrument to connect to; nothing when the user cancels.
    virtual std::optional<PortChoice> ChoosePort() = 0;
    // One of the connection's messages ("未找到设备" …); the connection goes on once it was read.
    virtual void ShowMessage(std::string_view text) = 0;
    // "仪器不匹配": the logger identified itself as `answered` while `chosen` was asked for. True
    // when the user wants to connect again, as the model that answered. Where nobody can be asked,
    // the message alone is told.
    virtual bool OfferReconnectAs(LoggerModel /*chosen*/, LoggerModel /*answered*/) {
        ShowMessage(texts::Translated(texts::kInstrumentMismatch));
        return false;
    }
    // "仪器不匹配!  是否重新连接仪器?" — true to reconnect.
    virtual bool AskReconnect() = 0;
    // The channels of `model` to download; nothing when the user cancels.
    virtual std::optional<std::array<bool, 2>> ChooseHistoryChannels(LoggerModel model) = 0;
    // "是否把" <start> "设置为启动时间" — true for "是".
    virtual bool ConfirmStartTime(std::time_t start) = 0;

    // An activity runs: `text` names it, `percent` (0–100) of it is done.
    virtual void ShowProgress(int percent, std::string_view text) = 0;
    // No activity runs any more: no progress stays on show.
    virtual void HideProgress() = 0;
    // The state of the link in a word or two ("通信超时", "设备未连接", "设备通讯正常"), blank
    // while a progress is on show.
    virtual void SetStatusText(std::string_view text) = 0;
};

}  // namespace veldrin
