#pragma once
// The alarm sound of the program: a short WAV compiled into the program's resources, played
// asynchronously through the default audio output. Without an audio output it plays nothing.
#include <memory>

#include "measure/AlarmSound.h"

class QSoundEffect;

namespace veldrin {

class QtAlarmSound final : public AlarmSound {
  public:
    static constexpr const char* kResourcePath = ":/sound/alarm.wav";

    // Needs a running Qt application object.
    QtAlarmSound();
    ~QtAlarmSound() override;

    int Play() override;

  private:
    std::unique_ptr<QSoundEffect> effect_;
};

}  // namespace veldrin
