// The registry's writers of the .xls workbook and the printed pages, as `veldrin-cli export` and
// the fleet's downloads use them, write in the unit they are given.
#include <gtest/gtest.h>

#include "PrintTestSupport.h"
#include "fleet/ExportRegistry.h"
#include "tests/workbook/FreeXlReader.h"

namespace veldrin {
namespace {

Status WriteWith(const HistoryDataSet& history, const std::string& path, TemperatureUnit unit) {
    const fleet::Exporter* exporter = fleet::ExporterRegistry::Instance().ForPath(path);
    EXPECT_NE(exporter, nullptr) << path;
    return exporter == nullptr ? Status::Failure("no writer") : (*exporter)(history, path, unit);
}

// Samples 20, 21 and 22 °C: 68.00, 69.80 and 71.60 °F in the alarm list, the summary's unit °F.
TEST(StandardWriters, TheWorkbookFollowsTheUnitItIsGiven) {
    test::EnsureApplication();
    const auto history = test::MakeHistory({.count = 3});
    const std::string path = test::TemporaryPath("unit.xls");
    for (const TemperatureUnit unit : {TemperatureUnit::Celsius, TemperatureUnit::Fahrenheit}) {
        SCOPED_TRACE(UnitText(unit));
        ASSERT_TRUE(WriteWith(*history, path, unit));
        const test::FreeXlWorkbook read = test::ReadWithFreeXl(path);
        ASSERT_EQ(read.sheets.size(), 2u);
        const auto& rows = read.sheets[1].cells;
        ASSERT_EQ(rows.size(), 4u);
        const bool celsius = unit == TemperatureUnit::Celsius;
        EXPECT_EQ(rows[1].at(2), celsius ? "20.00°C" : "68.00°F");
        EXPECT_EQ(rows[2].at(2), celsius ? "21.00°C" : "69.80°F");
        EXPECT_EQ(rows[3].at(2), celsius ? "22.00°C" : "71.60°F");
        bool unitRow = false;
        for (const auto& row : read.sheets[0].cells)
            unitRow = unitRow || row.at(1) == UnitText(unit);
        EXPECT_TRUE(unitRow) << "the summary names the channel's unit";
    }
}

}  // namespace
}  // namespace veldrin
