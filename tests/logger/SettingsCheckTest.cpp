// The settings checks before a write: alarm limits within what the logger holds, a start time
// that is a date, and the title and description within their GBK byte lengths.
#include <gtest/gtest.h>

#include "logger/SettingsCheck.h"
#include "tests/logger/ValidPanel.h"

namespace veldrin {
namespace {

using test::ValidPanel;

// The message for `panel` on `model`, or "" when it passes.
std::string Problem(const PanelSettings& panel, LoggerModel model) {
    return FindSettingsProblem(panel, model).value_or("");
}

TEST(SettingsCheck, LimitTextsAreNumbersTruncatedTowardZero) {
    EXPECT_EQ(LimitNumber("50.9"), 50);
    EXPECT_EQ(LimitNumber("-20.7"), -20);
    EXPECT_EQ(LimitNumber(" 7 "), 7);
    EXPECT_EQ(LimitNumber("+3"), 3);
    for (const char* text : {"", " ", "abc", "2x.9", "12abc", "0x10", "inf", "nan", "1e999", "--1"}) {
        EXPECT_FALSE(LimitNumber(text).has_value()) << text;
    }
}

// The connection reads the checked limit fields with the limit boxes' reading: for every text the
// check takes, both give the same number.
TEST(SettingsCheck, LimitBoxReadingAgreesWithTheCheckOnCheckedTexts) {
    for (const char* text : {"0", "-0", "50.9", "-20.7", " 7 ", "\t12\t", "+3", "127", "-127", "1e2",
                             "-1.5e1", ".5", "-.9", "99.999", "100"}) {
        const std::optional<int> checked = LimitNumber(text);
        ASSERT_TRUE(checked.has_value()) << text;
        EXPECT_EQ(LimitFromText(text), *checked) << text;
    }
    // Where the check refuses, the box reading still finds a number at the start.
    EXPECT_FALSE(LimitNumber("12abc").has_value());
    EXPECT_EQ(LimitFromText("12abc"), 12);
}

TEST(SettingsCheck, TemperatureLimitsMustFitTheSignMagnitudeByte) {
    PanelSettings panel = ValidPanel();
    EXPECT_EQ(Problem(panel, LoggerModel::SingleTemperature), "");
    panel.channel1Lower = "-127";
    panel.channel1Upper = "127.9";
    EXPECT_EQ(Problem(panel, LoggerModel::SingleTemperature), "")
        << "the edges are whole numbers the byte holds";

    panel.channel1Upper = "200";
    const std::string tooHigh = Problem(panel, LoggerModel::SingleTemperature);
    EXPECT_NE(tooHigh.find("温度上限值"), std::string::npos) << tooHigh;
    EXPECT_NE(tooHigh.find("200"), std::string::npos) << tooHigh;
    EXPECT_NE(tooHigh.find("-127 到 127"), std::string::npos) << tooHigh;

    panel.channel1Upper = "50";
    panel.channel1Lower = "-128";
    EXPECT_NE(Problem(panel, LoggerModel::SingleTemperature).find("温度下限值"), std::string::npos);
    panel.channel1Lower = "abc";
    const std::string notANumber = Problem(panel, LoggerModel::SingleTemperature);
    EXPECT_NE(notANumber.find("温度下限值不是数字"), std::string::npos) << notANumber;
}

TEST(SettingsCheck, SecondChannelIsCheckedByItsKind) {
    PanelSettings panel = ValidPanel();
    panel.channel2Upper = "100";
    panel.channel2Lower = "0";
    EXPECT_EQ(Problem(panel, LoggerModel::TemperatureHumidity), "");
    panel.channel2Upper = "101";
    EXPECT_NE(Problem(panel, LoggerModel::TemperatureHumidity).find("湿度上限值"), std::string::npos);
    panel.channel2Upper = "90";
    panel.channel2Lower = "-1";
    const std::string humidity = Problem(panel, LoggerModel::TemperatureHumidity);
    EXPECT_NE(humidity.find("湿度下限值"), std::string::npos) << humidity;
    EXPECT_NE(humidity.find("0 到 100"), std::string::npos) << humidity;
    // The same −1 is a fine second temperature, named by its channel.
    EXPECT_EQ(Problem(panel, LoggerModel::DualTemperature), "");
    panel.channel2Lower = "-150";
    EXPECT_NE(Problem(panel, LoggerModel::DualTemperature).find("温度II下限值"), std::string::npos);
    // A single-temperature logger has no second channel to check.
    panel.channel2Lower = "garbage";
    EXPECT_EQ(Problem(panel, LoggerModel::SingleTemperature), "");
}

TEST(SettingsCheck, StartTimeMustBeACalendarDate) {
    PanelSettings panel = ValidPanel();
    panel.startMonth = 2;
    panel.startDay = 29;
    EXPECT_EQ(Problem(panel, LoggerModel::SingleTemperature), "") << "2024 is a leap year";
    panel.startDay = 30;
    const std::string problem = Problem(panel, LoggerModel::SingleTemperature);
    EXPECT_NE(problem.find("启动时间"), std::string::npos) << problem;
    EXPECT_NE(problem.find("2024-02-30"), std::string::npos) << problem;
    panel = ValidPanel();
    panel.startHour = 24;
    EXPECT_NE(Problem(panel, LoggerModel::SingleTemperature).find("启动时间"), std::string::npos);
}

TEST(SettingsCheck, TitleAndDescriptionCountGbkBytes) {
    PanelSettings panel = ValidPanel();
    std::string eighteen;
    for (int i = 0; i < 18; ++i)
        eighteen += "温";
    panel.title = eighteen;  // 36 bytes
    EXPECT_EQ(Problem(panel, LoggerModel::SingleTemperature), "");
    panel.title = eighteen + "a";
    EXPECT_NE(Problem(panel, LoggerModel::SingleTemperature).find("标题太长：37 字节"), std::string::npos);
    panel.title = "Title";
    panel.description = eighteen + eighteen;  // 72 bytes in 36 characters
    EXPECT_NE(Problem(panel, LoggerModel::SingleTemperature).find("描述太长：72 字节"), std::string::npos);
}

}  // namespace
}  // namespace veldrin
