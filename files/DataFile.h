#pragma once
// The .Vdr data file: writing a history to it and reading one back.
//
// Reading never touches the current history: LoadDataFile builds a new HistoryDataSet and the
// caller replaces the current one with it only when the file was accepted. Writing goes through
// a temporary file, so a failed save leaves an existing file as it was.
#include <array>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/CipherFile.h"
#include "files/SafeSave.h"
#include "history/HistoryDataSet.h"
#include "translations/Translation.h"

namespace veldrin {

// The messages the desktop program shows, through FileText.
inline constexpr const char* kFileErrorText = QT_TRANSLATE_NOOP("veldrin::DataFile", "文件错误!");
inline constexpr const char* kSaveErrorText = QT_TRANSLATE_NOOP("veldrin::DataFile", "文件保存出错");
// What a refused file is, in the words of its user: the reasons of the reader start with one of
// these (followed by "：" and the particulars), and the window and the command-line tool show them.
inline constexpr const char* kNotADataFileText =
    QT_TRANSLATE_NOOP("veldrin::DataFile", "不是 Veldrin 数据文件");
inline constexpr const char* kIncompleteFileText = QT_TRANSLATE_NOOP("veldrin::DataFile", "文件不完整");
inline constexpr const char* kDamagedFileText = QT_TRANSLATE_NOOP("veldrin::DataFile", "文件已损坏");
// One of the texts above in the language of the run.
inline std::string FileText(const char* text) {
    return text::translate("veldrin::DataFile", text);
}

// Everything a data file's header holds, as read.
struct DataFileHeader {
    int typeCode = 0;
    int kind = 6;  // data-file kind code: 3 single, 4 temperature-humidity, 5 dual, 6 unreadable
    LoggerModel model = LoggerModel::Unknown;
    bool longForm = false;
    std::size_t headerLength = 0;
    std::int64_t fileLength = 0;
    std::array<std::uint8_t, 5> seeds{};
    std::uint8_t key = 0;
    std::string title;                 // 36 GBK bytes as stored, padding included
    std::string description;           // 60 GBK bytes as stored, padding included
    std::array<int, 6> startFields{};  // year, month, day, hour, minute, second
    std::array<int, 6> stopFields{};
    std::time_t start = 0;
    int interval = 0;
    int valueCount = 0;
    // Minimum, maximum, average of channel 1, then of channel 2: the 7-character fields as
    // stored, and their values.
    std::array<std::string, 6> statisticTexts;
    std::array<float, 6> statistics{};
    std::array<bool, 2> channelEnabled{};  // a channel with any non-zero statistic
    int channelCount = 0;
    std::uint8_t alarm = 0;  // 0 in the short form
    // Lower 1, upper 1, lower 2, upper 2 (the short form stores none: all 0).
    std::array<std::string, 4> limitTexts;
    std::array<double, 4> limits{};

    // Samples the record area holds (per channel).
    int SampleCount() const;
};

// Reads and checks the header of the file `file` has open for reading. On success header.kind
// is 3, 4 or 5; a refused file leaves kind 6 or the reason in the result.
Status ReadDataFileHeader(CCipherFile& file, DataFileHeader& header);
// The values of a record area, per sample; a channel without fields in the file holds 0.
struct DataFileRecords {
    std::vector<float> values1;
    std::vector<float> values2;
};
// Reads and deciphers the record area after ReadDataFileHeader accepted the header.
Status ReadDataFileRecords(CCipherFile& file, const DataFileHeader& header, DataFileRecords& records);
// Makes `target` the history an accepted file holds: the header's texts and numbers, the
// instrument name and channel texts of its kind, and the samples timed from the stored start
// every interval seconds (shown blank-padded, as files are). The target's storage is reused.
void ApplyDataFile(const DataFileHeader& header, const DataFileRecords& records, HistoryDataSet& target);

struct DataFileLoad {
    Status result;
    DataFileHeader header;
    // The history the file holds, with summary, limits, samples and the instrument name and
    // channel texts of its kind; set only when the file was accepted.
    std::unique_ptr<HistoryDataSet> dataSet;
};
// Opens, checks and reads a whole data file.
DataFileLoad LoadDataFile(const std::string& path);
// Loads a data file and, only when it is accepted, replaces `current` with its history; a
// refused file leaves `current` exactly as it was.
Status LoadDataFileInto(const std::string& path, HistoryDataSet& current);

// The header values of a data set as they are written: statistics and limits pulled into what
// 7 characters hold. The data set itself is left as it is.
struct ClampedHeaderValues {
    std::array<float, 6> statistics{};  // min1, max1, avg1, min2, max2, avg2
    std::array<float, 4> limits{};      // lower1, upper1, lower2, upper2
};
ClampedHeaderValues ClampBeforeSave(const HistoryDataSet& dataSet);
// The statistics of a `model` history as they are written.
std::array<float, 6> ClampStatistics(LoggerModel model, const std::array<float, 6>& statistics);

// The channels a two-channel history is written with: those of `shown` whose written statistics
// do not all read 0. A reader takes a channel whose statistics read 0 as one without values, so
// such a channel (a probe that is not plugged in reads 0.00 throughout) is written without them.
std::array<bool, 2> ChannelsWritten(LoggerModel model, std::array<bool, 2> shown,
                                    const std::array<float, 6>& statistics);
// A sample value as it is written: above 127 → 127, below −126 → −126.
float ClampSampleForSave(float value);

// Writes `dataSet` as a data file with the writer of its model. `now` seeds the key.
Status WriteDataFile(const std::string& path, const HistoryDataSet& dataSet,
                     std::time_t now = std::time(nullptr));

}  // namespace veldrin
