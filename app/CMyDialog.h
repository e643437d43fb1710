#pragma once
// Asked before a recording is started: set the shown time as the start time? The time shown is
// the proposed start time while it lies ahead, otherwise the current time, updated every second.
#include <QTimer>
#include <ctime>

#include "app/PlacedText.h"
#include "logger/Clock.h"

class QLineEdit;

namespace veldrin {

class CMyDialog : public PaintedTextDialog {
    Q_OBJECT
  public:
    // `clock` (the computer's clock when null) must outlive the dialog.
    explicit CMyDialog(std::time_t proposedStart, const Clock* clock = nullptr, QWidget* parent = nullptr);

    std::time_t ProposedStart() const { return proposedStart_; }
    // The time text in the box, "%d-%d-%d %d:%d:%02d".
    QString ShownText() const;
    // What every clock tick does: bring the shown time up to date.
    void Refresh();

  private:
    SystemClock systemClock_;
    const Clock& clock_;
    std::time_t proposedStart_;
    QLineEdit* timeBox_;
    QTimer ticker_;
};

}  // namespace veldrin
