#pragma once
// Helpers of the data file and text export tests: the temporary folder, histories as a download
// leaves them, and data files put together by hand from their layout.
#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "history/HistoryDataSet.h"
#include "tests/TempFolder.h"

namespace veldrin::test {

std::string ReadBytes(const std::string& path);
// The bytes of tests/files/golden/NAME in the source tree; a missing file fails the test.
std::string Golden(const std::string& name);
void WriteBytes(const std::string& path, const std::string& bytes);

// Local time of the given fields (the tests run with TZ=Asia/Shanghai).
std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second);

// A history as a download of `model` leaves it: samples (value 1, value 2) at start + i ×
// interval with zero-padded time texts, both channels shown for two-channel models, statistics
// and their texts, limits (−10, 40, 20, 80) with the alarm on.
HistoryDataSet MakeHistory(LoggerModel model, const std::vector<std::pair<float, float>>& values,
                           std::time_t start, int interval);

// A data file put together from its parts the way the format lays them out: the seeds as "%3d"
// with title and description (already GBK and padded) masked with 0x6B, the plain header
// enciphered from offset 111, then each plain record segment enciphered with the position
// running on. Every segment chains from 0x2F.
std::string BuildDataFile(const std::array<std::uint8_t, 5>& seeds, const std::string& title36,
                          const std::string& description60, const std::string& plainHeader,
                          const std::vector<std::string>& plainSegments);
// The plain text of the long enciphered header (112 characters) from its fields, each given
// already formatted to its width.
std::string PlainLongHeader(const std::string& typeCode, const std::string& start14,
                            const std::string& stop14, const std::string& interval5,
                            const std::string& count6, const std::array<std::string, 6>& statistics,
                            char alarm, const std::array<std::string, 4>& limits);

}  // namespace veldrin::test
