#pragma once
// The audible alarm's sound: started asynchronously, a new play cuts off one still running.
namespace veldrin {

class AlarmSound {
  public:
    virtual ~AlarmSound() = default;
    // 1 when the sound was started, 0 when it cannot be played (no sound, no audio device).
    virtual int Play() = 0;
};

}  // namespace veldrin
