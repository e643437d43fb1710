#pragma once
// An alarm-limit page of the realtime panel: the alarm switch and the upper and lower limit of one
// channel. Both pages share the logger's single alarm-enable flag.
#include <QWidget>
#include <cstdint>

class QCheckBox;
class QLineEdit;

namespace veldrin {

class WarnDialog : public QWidget {
    Q_OBJECT
  public:
    // `alarmEnable` (1 = alarm on) must outlive the page.
    explicit WarnDialog(std::uint8_t& alarmEnable, QWidget* parent = nullptr);

    QCheckBox* EnableBox() const { return enableBox_; }
    QLineEdit* UpperBox() const { return upperBox_; }
    QLineEdit* LowerBox() const { return lowerBox_; }

    // Writes the limits as whole numbers.
    void SetLimits(int upper, int lower);
    // The typed limits, truncated to whole numbers; text that is no number reads as 0.
    int UpperLimit() const;
    int LowerLimit() const;

    // Sets the switch from the shared flag and makes the limits editable when it is on.
    void ShowSharedFlag();
    // Enables or disables the switch and both limit boxes together.
    void SetControlsEnabled(bool enabled);

  protected:
    // Enter and Escape must not reach a dialog that would close.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void ApplySwitch();

    std::uint8_t& alarmEnable_;
    QCheckBox* enableBox_;
    QLineEdit* upperBox_;
    QLineEdit* lowerBox_;
};

// The second channel's page.
class WarnDialog2 : public WarnDialog {
    Q_OBJECT
  public:
    using WarnDialog::WarnDialog;
};

}  // namespace veldrin
