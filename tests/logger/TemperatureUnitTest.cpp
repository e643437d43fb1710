// The temperature unit: conversions of values and differences, the limit texts shown in °F and
// typed back, and the limit checks of a panel typed in °F against the logger's °C range.
#include <gtest/gtest.h>

#include "logger/SettingsCheck.h"
#include "logger/TemperatureUnit.h"

namespace veldrin {
namespace {

constexpr TemperatureUnit kC = TemperatureUnit::Celsius;
constexpr TemperatureUnit kF = TemperatureUnit::Fahrenheit;

TEST(TemperatureUnit, ValuesTakeTheOffsetDifferencesOnlyTheScale) {
    EXPECT_DOUBLE_EQ(TemperatureInUnit(0, kF), 32);
    EXPECT_DOUBLE_EQ(TemperatureInUnit(100, kF), 212);
    EXPECT_DOUBLE_EQ(TemperatureInUnit(-40, kF), -40);
    EXPECT_DOUBLE_EQ(TemperatureInUnit(25.5, kC), 25.5);
    EXPECT_DOUBLE_EQ(DifferenceInUnit(0.5, kF), 0.9);
    EXPECT_DOUBLE_EQ(DifferenceInUnit(0.5, kC), 0.5);
    EXPECT_DOUBLE_EQ(CelsiusOf(212, kF), 100);
    EXPECT_DOUBLE_EQ(CelsiusOf(-4, kF), -20);
    EXPECT_DOUBLE_EQ(CelsiusOf(-4, kC), -4);
}

TEST(TemperatureUnit, TextsAndLetters) {
    EXPECT_STREQ(UnitText(kC), "°C");
    EXPECT_STREQ(UnitText(kF), "°F");
    EXPECT_EQ(ChannelUnitText("°C", kF), "°F");
    EXPECT_EQ(ChannelUnitText("%", kF), "%");
    EXPECT_EQ(ChannelUnitText("°C", kC), "°C");
    EXPECT_EQ(ParseTemperatureUnit("F"), kF);
    EXPECT_EQ(ParseTemperatureUnit("c"), kC);
    for (const char* text : {"", "K", "FF", "°F", "Fahrenheit"})
        EXPECT_FALSE(ParseTemperatureUnit(text).has_value()) << text;
}

TEST(TemperatureUnit, LimitTextsInFahrenheitAreExact) {
    EXPECT_EQ(LimitTextInUnit(25, kF), "77");
    EXPECT_EQ(LimitTextInUnit(3, kF), "37.4");
    EXPECT_EQ(LimitTextInUnit(-20, kF), "-4");
    EXPECT_EQ(LimitTextInUnit(-18, kF), "-0.4");
    EXPECT_EQ(LimitTextInUnit(-127, kF), "-196.6");
    EXPECT_EQ(LimitTextInUnit(127, kF), "260.6");
    EXPECT_EQ(LimitTextInUnit(-7, kC), "-7");
}

// Every limit the logger holds, shown in °F and typed back unchanged, is the same whole °C, both
// as the check reads it and as the connection takes it; and so is the °F value rounded to one
// decimal less or typed with blanks.
TEST(TemperatureUnit, EveryLoggerLimitRoundTripsThroughFahrenheit) {
    for (int celsius = -kTemperatureLimitMagnitude; celsius <= kTemperatureLimitMagnitude; ++celsius) {
        const std::string shown = LimitTextInUnit(celsius, kF);
        EXPECT_EQ(TemperatureLimitNumber(shown, kF), celsius) << shown;
        EXPECT_EQ(TemperatureLimitFromText(shown, kF), celsius) << shown;
        EXPECT_EQ(TemperatureLimitNumber(" " + shown + " ", kF), celsius) << shown;
        const double whole = static_cast<double>(celsius) * 9 / 5 + 32;
        EXPECT_EQ(TemperatureLimitNumber(std::to_string(static_cast<int>(std::lround(whole))), kF), celsius);
    }
}

TEST(TemperatureUnit, FahrenheitLimitsRoundToTheNearestWholeCelsius) {
    EXPECT_EQ(TemperatureLimitNumber("78", kF), 26);    // 25.56 °C
    EXPECT_EQ(TemperatureLimitNumber("77.8", kF), 25);  // 25.44 °C
    EXPECT_EQ(TemperatureLimitNumber("0", kF), -18);    // −17.78 °C
    // °C keeps truncating toward zero, as the limit boxes always read it.
    EXPECT_EQ(TemperatureLimitNumber("25.9", kC), 25);
    EXPECT_EQ(TemperatureLimitNumber("abc", kF), std::nullopt);
    EXPECT_EQ(TemperatureLimitNumber("1e999", kF), std::nullopt);
    EXPECT_EQ(TemperatureLimitFromText("-4 deg", kF), -20);
}

PanelSettings PanelWithLimits(const std::string& lower, const std::string& upper, TemperatureUnit unit) {
    PanelSettings panel;
    panel.startYear = 2024;
    panel.channel1Lower = lower;
    panel.channel1Upper = upper;
    panel.channel2Lower = "10";
    panel.channel2Upper = "90";
    panel.temperatureUnit = unit;
    return panel;
}

std::string Problem(const PanelSettings& panel, LoggerModel model = LoggerModel::SingleTemperature) {
    return FindSettingsProblem(panel, model).value_or("");
}

TEST(TemperatureUnit, FahrenheitLimitsAreCheckedAgainstTheCelsiusRange) {
    // 270 °F is 132 °C: refused as 132 °C is, naming the value typed.
    EXPECT_EQ(Problem(PanelWithLimits("0", "270", kF)),
              "温度上限值超出范围：270°F。温度报警限须在 -127 到 127 之间。");
    EXPECT_EQ(Problem(PanelWithLimits("0", "132", kC)),
              "温度上限值超出范围：132。温度报警限须在 -127 到 127 之间。");
    EXPECT_EQ(Problem(PanelWithLimits(" -200 ", "50", kF)),
              "温度下限值超出范围：-200°F。温度报警限须在 -127 到 127 之间。");
    EXPECT_EQ(Problem(PanelWithLimits("x", "50", kF)), "温度下限值不是数字：“x”。请输入整数。");
    // The ends of the range in °F pass; 261 °F (127.2 °C) rounds to 127 and passes too, 262 does not.
    EXPECT_EQ(Problem(PanelWithLimits("-196.6", "260.6", kF)), "");
    EXPECT_EQ(Problem(PanelWithLimits("-196", "261", kF)), "");
    EXPECT_NE(Problem(PanelWithLimits("-196", "262", kF)), "");
    // 270 in °C would be refused as well; in °F a limit of 200 (93 °C) is fine.
    EXPECT_EQ(Problem(PanelWithLimits("-40", "200", kF)), "");
}

TEST(TemperatureUnit, HumidityLimitsStayInPercentWhateverTheUnit) {
    PanelSettings panel = PanelWithLimits("32", "86", kF);
    panel.channel2Lower = "10";
    panel.channel2Upper = "150";  // 150 % is refused; in °F it would be a fine temperature
    EXPECT_EQ(Problem(panel, LoggerModel::TemperatureHumidity),
              "湿度上限值超出范围：150。湿度报警限须在 0 到 100 之间。");
    // On a dual-temperature logger the second channel is a temperature and is read in °F.
    panel.channel2Upper = "150";
    EXPECT_EQ(Problem(panel, LoggerModel::DualTemperature), "");
    panel.channel2Upper = "300";
    EXPECT_NE(Problem(panel, LoggerModel::DualTemperature).find("300°F"), std::string::npos);
}

}  // namespace
}  // namespace veldrin
