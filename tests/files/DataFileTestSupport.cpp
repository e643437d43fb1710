#include "tests/files/DataFileTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "files/CipherFile.h"
#include "history/HistoryText.h"
#include "logger/WireCodec.h"

namespace veldrin::test {
std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string Golden(const std::string& name) {
    const char* root = std::getenv("VELDRIN_SOURCE_DIR");
    std::string path = std::string(root != nullptr ? root : ".") + "/tests/files/golden/" + name;
    std::string bytes = ReadBytes(path);
    EXPECT_FALSE(bytes.empty()) << path;
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
    return MakeLocalTime(year, month, day, hour, minute, second).value();
}

HistoryDataSet MakeHistory(LoggerModel model, const std::vector<std::pair<float, float>>& values,
                           std::time_t start, int interval) {
    HistoryDataSet set;
    set.model = model;
    const ModelTraits& traits = Traits(model);
    bool two = traits.channelCount == 2;
    set.shown = {true, two};
    int count = static_cast<int>(values.size());
    float min1 = 0, max1 = 0, sum1 = 0, min2 = 0, max2 = 0, sum2 = 0;
    for (int i = 0; i < count; ++i) {
        auto [v1, v2] = values[static_cast<std::size_t>(i)];
        std::time_t time = start + static_cast<std::time_t>(i) * interval;
        set.samples.SetHistorySample(i, v1, two ? v2 : 0, time);
        min1 = i == 0 ? v1 : std::min(min1, v1);
        max1 = i == 0 ? v1 : std::max(max1, v1);
        min2 = i == 0 ? v2 : std::min(min2, v2);
        max2 = i == 0 ? v2 : std::max(max2, v2);
        sum1 += v1;
        sum2 += v2;
    }
    HistorySummary& s = set.summary;
    s.source = SummarySource::Download;
    s.title = "冷库一号";
    s.description = "测试记录";
    s.instrumentName = std::string(traits.displayName);
    s.enabledChannelCount = two ? 2 : 1;
    s.dataLengthValue = count * s.enabledChannelCount;
    if (count > 0) {
        s.stop = set.samples.Time(count - 1);
    }
    s.start = start;
    s.intervalSeconds = interval;
    s.channel1Name = std::string(traits.channel1Name);
    s.channel2Name = std::string(traits.channel2Name);
    s.channel2Unit = std::string(traits.channel2Unit);
    s.min1 = min1;
    s.max1 = max1;
    s.avg1 = count > 0 ? sum1 / static_cast<float>(count) : 0;
    if (two) {
        s.min2 = min2;
        s.max2 = max2;
        s.avg2 = count > 0 ? sum2 / static_cast<float>(count) : 0;
    }
    set.limits = {-10, 40, 20, 80, 1};
    return set;
}

std::string BuildDataFile(const std::array<std::uint8_t, 5>& seeds, const std::string& title36,
                          const std::string& description60, const std::string& plainHeader,
                          const std::vector<std::string>& plainSegments) {
    char seedText[16];
    std::snprintf(seedText, sizeof seedText, "%3d%3d%3d%3d%3d", seeds[0], seeds[1], seeds[2], seeds[3],
                  seeds[4]);
    std::string file = std::string(seedText) + title36 + description60;
    if (file.size() != 111)
        throw std::logic_error("masked header must be 111 bytes");
    for (char& c : file)
        c = static_cast<char>(c ^ 0x6B);
    std::uint8_t key = KeyFromSeeds(seeds).value_or(0);
    std::uint32_t position = 111;
    auto encipher = [&](const std::string& plain) {
        std::uint8_t previous = 0x2F;
        for (char c : plain) {
            file.push_back(
                static_cast<char>(EncipherByte(static_cast<std::uint8_t>(c), position++, previous, key)));
            previous = static_cast<std::uint8_t>(c);
        }
    };
    encipher(plainHeader);
    for (const auto& segment : plainSegments)
        encipher(segment);
    return file;
}

std::string PlainLongHeader(const std::string& typeCode, const std::string& start14,
                            const std::string& stop14, const std::string& interval5,
                            const std::string& count6, const std::array<std::string, 6>& statistics,
                            char alarm, const std::array<std::string, 4>& limits) {
    std::string text = typeCode + start14 + stop14 + interval5 + count6;
    for (const auto& field : statistics)
        text += field;
    text += alarm;
    for (const auto& field : limits)
        text += field;
    if (text.size() != 112)
        throw std::logic_error("long header must be 112 characters");
    return text;
}

}  // namespace veldrin::test
