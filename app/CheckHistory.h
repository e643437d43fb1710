#pragma once
// Asked before a history download: which channels to show, and whether to stop the recording and
// read the history.
#include <array>

#include "app/QuestionDialog.h"
#include "logger/LoggerModel.h"

namespace veldrin {

class CheckHistory : public QuestionDialog {
    Q_OBJECT
  public:
    enum Kind { SingleChannel = 0, DualTemperature = 1, TemperatureHumidity = 2 };

    // The kind for the connected logger's model; an unknown model is asked as a single channel.
    static Kind KindForModel(LoggerModel model);

    explicit CheckHistory(Kind kind, QWidget* parent = nullptr);

    Kind DialogKind() const { return kind_; }
    // The channels to show, as chosen when the dialog closed.
    std::array<bool, 2> ChosenChannels() const { return chosen_; }

  private:
    Kind kind_;
    std::array<bool, 2> chosen_{true, false};
};

}  // namespace veldrin
