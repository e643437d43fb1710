#pragma once
// What the connection asks of the user and tells them, in the desktop program: the connect
// dialog, message boxes and questions, the view's progress strip and the frame's link status
// pane.
#include <functional>

#include "app/Profile.h"
#include "logger/UserPrompts.h"
#include "serial/SerialDevices.h"

namespace veldrin {

class CMainFrame;
class Measurements;

class DesktopPrompts final : public UserPrompts {
  public:
    // `frame` and `measurements` must outlive this object.
    DesktopPrompts(CMainFrame& frame, Measurements& measurements);
    // Where the connect dialog looks for serial devices (the machine's /sys and /dev by default) and
    // the profile in which it remembers the choice (the program's own by default).
    void SetDeviceRoots(DeviceRoots roots) { deviceRoots_ = std::move(roots); }
    void SetProfileOpener(ProfileOpener open) { openProfile_ = std::move(open); }

    std::optional<PortChoice> ChoosePort() override;
    void ShowMessage(std::string_view text) override;
    bool OfferReconnectAs(LoggerModel chosen, LoggerModel answered) override;
    bool AskReconnect() override;
    std::optional<std::array<bool, 2>> ChooseHistoryChannels(LoggerModel model) override;
    bool ConfirmStartTime(std::time_t start) override;

    void ShowProgress(int percent, std::string_view text) override;
    void HideProgress() override;
    void SetStatusText(std::string_view text) override;

  private:
    CMainFrame& frame_;
    Measurements& measurements_;
    DeviceRoots deviceRoots_;
    ProfileOpener openProfile_ = OpenProfile;
};

}  // namespace veldrin
