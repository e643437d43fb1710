#pragma once
// The connection's own state beside its session: whether its port is open and what it last said
// about the link, with the link check's times. The words the user sees for them are made from
// these values where they are shown (ConnectionTexts.h).
#include <ctime>

namespace veldrin {

// Whether the connection holds its port open: closed, a connect is allowed; open, a disconnect.
enum class PortState : int { Closed = 0, Open = 1 };

// What the connection last said about the link in the status pane.
enum class LinkStatus : int {
    Unsaid = 0,        // nothing yet
    Blank = 1,         // a progress is on show
    Normal = 2,        // "设备通讯正常"
    Timeout = 3,       // "通信超时"
    NotConnected = 4,  // "设备未连接"
};

// The connection's step: the desktop program's step timer and veldrin-cli call it this often.
inline constexpr int kConnectionStepMs = 200;

// The link check: after this many seconds without a byte the link is said to have timed out …
inline constexpr std::time_t kLinkTimeoutSeconds = 10;
// … and after this many the connection gives the logger up.
inline constexpr std::time_t kLinkLostSeconds = 18;

}  // namespace veldrin
