#pragma once
// What the window tests share: helpers for driving widgets, and a clock the test sets by hand.
// The application object lives in QtEnvironment.cpp.
#include <QCheckBox>
#include <QTest>
#include <ctime>

#include "logger/Clock.h"

namespace veldrin::testing {

// Clicks a check box on its box, where a click always lands whatever the caption's length.
inline void ClickCheckBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

class ManualClock final : public Clock {
public:
    explicit ManualClock(std::time_t now) : now_(now) {}
    std::time_t Now() const override { return now_; }
    std::int64_t MonotonicMs() const override { return static_cast<std::int64_t>(now_) * 1000; }
    void SleepMs(int milliseconds) override { now_ += milliseconds / 1000; }
    void Advance(std::time_t seconds) { now_ += seconds; }

private:
    std::time_t now_;
};

}  // namespace veldrin::testing
