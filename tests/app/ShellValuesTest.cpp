#include <gtest/gtest.h>

#include <climits>

#include "app/FrameGeometry.h"
#include "app/ShellTime.h"
#include "logger/SettingsCheck.h"
#include "translations/Translation.h"

namespace veldrin {
namespace {

// The tests run with TZ=Asia/Shanghai (UTC+8).
TEST(ShellValuesTest, ClockTextsHaveUnpaddedFieldsButTwoDigitSeconds) {
    EXPECT_EQ(FormatShellTime(0), "1970-1-1 8:0:00");
    EXPECT_EQ(FormatShellTime(1717203845), "2024-6-1 9:4:05");
    EXPECT_EQ(ClockPaneText(1717203845), "   2024-6-1 9:4:05");
    text::ShowIsoTimes(true);
    EXPECT_EQ(FormatShellTime(1717203845), "2024-06-01 09:04:05") << "as the English window shows it";
    text::ShowIsoTimes(false);
    EXPECT_EQ(FormatShellTime(1717203845), "2024-6-1 9:4:05");
}

TEST(ShellValuesTest, LimitTextsAreTruncatedNumbers) {
    EXPECT_EQ(LimitFromText("12.7"), 12);
    EXPECT_EQ(LimitFromText("-5.9"), -5);
    EXPECT_EQ(LimitFromText(" 40"), 40);
    EXPECT_EQ(LimitFromText("35abc"), 35);
    EXPECT_EQ(LimitFromText("abc"), 0);
    EXPECT_EQ(LimitFromText(""), 0);
    EXPECT_EQ(LimitFromText("1e20"), INT_MAX);
    EXPECT_EQ(LimitFromText("-1e20"), INT_MIN);
    EXPECT_EQ(LimitFromText("nan"), 0);
}

TEST(ShellValuesTest, FrameIsCentredAndShrunkToSmallScreens) {
    EXPECT_EQ(InitialFrameRect(QRect(0, 0, 1920, 1080)), QRect(460, 180, 1000, 720));
    EXPECT_EQ(InitialFrameRect(QRect(0, 0, 800, 600)), QRect(0, 5, 800, 590));
    EXPECT_EQ(InitialFrameRect(QRect(1920, 0, 1280, 1024)), QRect(1920 + 140, 152, 1000, 720))
        << "centred on the screen it opens on";
}

}  // namespace
}  // namespace veldrin
