// Limits set in °F live in the data file as the whole °C the logger holds: shown in °F, typed
// back unchanged and saved again, a hundred times over, they do not drift.
#include <gtest/gtest.h>

#include "files/DataFile.h"
#include "logger/SettingsCheck.h"
#include "logger/TemperatureUnit.h"
#include "tests/files/DataFileTestSupport.h"

namespace veldrin {
namespace {

constexpr TemperatureUnit kF = TemperatureUnit::Fahrenheit;

// The limit as the window shows it in °F and the user leaves it: typed back as shown.
float TypedBackInFahrenheit(float celsius) {
    const std::string shown = LimitTextInUnit(static_cast<int>(celsius), kF);
    return static_cast<float>(TemperatureLimitNumber(shown, kF).value());
}

TEST(FahrenheitLimitsFile, HundredSaveOpenCyclesKeepTheLimits) {
    test::TempFolder folder;
    const std::string path = folder.File("limits.Vdr");
    HistoryDataSet history =
        test::MakeHistory(LoggerModel::DualTemperature, {{20.5F, -3.25F}, {21.0F, -4.0F}},
                          test::LocalTime(2024, 3, 1, 8, 0, 0), 60);
    // Set in °F: 35.6 °F (2 °C), 46.4 °F (8 °C), −40 °F, 5 °F (−15 °C).
    history.limits.lower1 = static_cast<float>(*TemperatureLimitNumber("35.6", kF));
    history.limits.upper1 = static_cast<float>(*TemperatureLimitNumber("46.4", kF));
    history.limits.lower2 = static_cast<float>(*TemperatureLimitNumber("-40", kF));
    history.limits.upper2 = static_cast<float>(*TemperatureLimitNumber("5", kF));
    const HistoryLimits set = history.limits;
    ASSERT_EQ(set.lower1, 2.0F);
    ASSERT_EQ(set.upper1, 8.0F);
    ASSERT_EQ(set.lower2, -40.0F);
    ASSERT_EQ(set.upper2, -15.0F);
    for (int cycle = 0; cycle < 100; ++cycle) {
        ASSERT_TRUE(WriteDataFile(path, history).ok) << cycle;
        DataFileLoad load = LoadDataFile(path);
        ASSERT_TRUE(load.result.ok) << cycle << " " << load.result.reason;
        history = std::move(*load.dataSet);
        HistoryLimits& limits = history.limits;
        for (float* limit : {&limits.lower1, &limits.upper1, &limits.lower2, &limits.upper2})
            *limit = TypedBackInFahrenheit(*limit);
    }
    EXPECT_EQ(history.limits.lower1, set.lower1);
    EXPECT_EQ(history.limits.upper1, set.upper1);
    EXPECT_EQ(history.limits.lower2, set.lower2);
    EXPECT_EQ(history.limits.upper2, set.upper2);
    EXPECT_EQ(history.samples.Value1(0), 20.5F);
}

}  // namespace
}  // namespace veldrin
