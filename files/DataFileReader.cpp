#include <charconv>
#include <ctime>

#include "files/DataFile.h"
#include "files/DataFileFields.h"
#include "files/DataFileLayout.h"
#include "logger/Gbk.h"
#include "logger/TextFormat.h"
#include "logger/WireCodec.h"
#include "translations/Translation.h"

namespace veldrin {
namespace {

using namespace datafile;

// A refusal: what the file is in the user's words (a text of DataFile.h), then the particulars,
// both in the language of the run.
Status Refuse(const char* what, const std::string& particulars) {
    return Status::Failure(Printf(text::translate("veldrin::DataFileReader", "%s：%s").c_str(),
                                  FileText(what).c_str(), particulars.c_str()));
}

// Splits 14 characters into year (4), month, day, hour, minute, second (2 each).
std::array<int, 6> ParseTimeFields(std::string_view text) {
    return {ParseIntField(text.substr(0, 4)),  ParseIntField(text.substr(4, 2)),
            ParseIntField(text.substr(6, 2)),  ParseIntField(text.substr(8, 2)),
            ParseIntField(text.substr(10, 2)), ParseIntField(text.substr(12, 2))};
}

// Takes fields off the front of the deciphered header text.
class FieldCursor {
  public:
    explicit FieldCursor(std::string_view text) : text_(text) {}
    std::string_view Next(std::size_t width) {
        std::string_view field = text_.substr(at_, width);
        at_ += width;
        return field;
    }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// The unmasked seeds, title and description of the first 111 bytes.
Status ReadMaskedHeader(std::string masked, DataFileHeader& header) {
    for (char& c : masked)
        c = static_cast<char>(c ^ kMask);
    for (std::size_t i = 0; i < header.seeds.size(); ++i) {
        header.seeds[i] = static_cast<std::uint8_t>(
            ParseIntField(std::string_view(masked).substr(i * kSeedWidth, kSeedWidth)));
    }
    auto key = KeyFromSeeds(header.seeds);
    if (!key)
        return Refuse(kNotADataFileText,
                      text::translate("veldrin::DataFileReader", "开头的密钥种子不成立（第三个种子为 0）"));
    header.key = *key;
    header.title = masked.substr(5 * kSeedWidth, kTitleBytes);
    header.description = masked.substr(5 * kSeedWidth + kTitleBytes, kDescriptionBytes);
    return {};
}

// The enciphered header in its short or long form, deciphered.
Status DecipherHeader(CCipherFile& file, const std::string& firstBytes, DataFileHeader& header,
                      std::string& plain) {
    file.position = kMaskedLength;
    plain =
        file.DecipherText(firstBytes.data() + kMaskedLength, kShortCipherLength, CCipherFile::kChainStart);
    if (plain.empty())
        return Refuse(kNotADataFileText, text::translate("veldrin::DataFileReader", "文件头解密后不是数字"));
    header.typeCode = ParseIntField(std::string_view(plain).substr(0, kTypeWidth));
    header.longForm = header.typeCode > kLastShortTypeCode;
    header.headerLength = header.longForm ? kLongHeaderLength : kShortHeaderLength;
    if (!header.longForm)
        return {};

    if (header.fileLength < static_cast<std::int64_t>(kLongHeaderLength)) {
        return Refuse(
            kIncompleteFileText,
            Printf(
                text::translate("veldrin::DataFileReader", "只有 %lld 字节，少于它的 223 字节文件头").c_str(),
                static_cast<long long>(header.fileLength)));
    }
    file.Seek(0);
    std::string bytes = file.Read(kLongHeaderLength);
    if (bytes.size() != kLongHeaderLength)
        return Refuse(kIncompleteFileText, text::translate("veldrin::DataFileReader", "文件头无法读取"));
    file.position = kMaskedLength;
    plain = file.DecipherText(bytes.data() + kMaskedLength, kLongCipherLength, CCipherFile::kChainStart);
    if (plain.empty())
        return Refuse(kNotADataFileText, text::translate("veldrin::DataFileReader", "文件头解密后不是数字"));
    return {};
}

void ParseCipherHeader(std::string_view plain, DataFileHeader& header) {
    FieldCursor cursor(plain);
    cursor.Next(kTypeWidth);
    header.startFields = ParseTimeFields(cursor.Next(kTimeWidth));
    header.stopFields = ParseTimeFields(cursor.Next(kTimeWidth));
    header.interval = ParseIntField(cursor.Next(kIntervalWidth));
    header.valueCount = ParseIntField(cursor.Next(kValueCountWidth));
    for (std::size_t i = 0; i < 6; ++i) {
        header.statisticTexts[i] = std::string(cursor.Next(kFieldWidth));
        header.statistics[i] = static_cast<float>(ParseDecimalField(header.statisticTexts[i]));
    }
    header.channelEnabled = {
        header.statistics[0] != 0 || header.statistics[1] != 0 || header.statistics[2] != 0,
        header.statistics[3] != 0 || header.statistics[4] != 0 || header.statistics[5] != 0};
    header.channelCount = header.channelEnabled[0] + header.channelEnabled[1];
    if (!header.longForm)
        return;
    header.alarm = static_cast<std::uint8_t>(ParseIntField(cursor.Next(1)));
    for (std::size_t i = 0; i < 4; ++i) {
        header.limitTexts[i] = std::string(cursor.Next(kFieldWidth));
        header.limits[i] = ParseDecimalField(header.limitTexts[i]);
    }
}

// The calendar time of six time fields, with a four-digit year as the 14-character field holds
// it; nothing for anything else (a year below 1000, 30 February, a field that is no number).
std::optional<std::time_t> CalendarTime(const std::array<int, 6>& f) {
    if (f[0] < 1000 || f[0] > 9999)
        return std::nullopt;
    return MakeLocalTime(f[0], f[1], f[2], f[3], f[4], f[5]);
}

// The refusals of what a history could not be saved with again: every file that loads can be
// written back.
Status CheckWritable(const DataFileHeader& header) {
    if (!CalendarTime(header.stopFields))
        return Refuse(kDamagedFileText,
                      text::translate("veldrin::DataFileReader", "结束时间不是有效的日期时间"));
    if (header.interval < 0)
        return Refuse(kDamagedFileText,
                      Printf(text::translate("veldrin::DataFileReader", "记录间隔 %d 秒是负数").c_str(),
                             header.interval));
    if (HasSecondChannel(header.model) &&
        ChannelsWritten(header.model, header.channelEnabled, header.statistics) != header.channelEnabled) {
        return Refuse(kDamagedFileText,
                      text::translate("veldrin::DataFileReader",
                                      "某通道的统计值不是 0，却四舍五入为 0.00，无法再次保存"));
    }
    return {};
}

// The refusals that need the whole header.
Status CheckHeader(DataFileHeader& header) {
    auto model = ModelFromTypeCode(header.typeCode);
    if (!model)
        return Refuse(kNotADataFileText,
                      Printf(text::translate("veldrin::DataFileReader", "未知的仪器类型代码 %d").c_str(),
                             header.typeCode));
    header.model = *model;
    std::int64_t records = header.fileLength - static_cast<std::int64_t>(header.headerLength);
    if (header.valueCount < 0 || static_cast<std::int64_t>(header.valueCount) * 7 != records) {
        // Fewer bytes than called for: a copy or a save cut short; more: something else appended.
        const bool cut = header.valueCount >= 0 && records < static_cast<std::int64_t>(header.valueCount) * 7;
        return Refuse(cut ? kIncompleteFileText : kDamagedFileText,
                      Printf(text::translate("veldrin::DataFileReader",
                                             "文件头说有 %d 个数值（%lld 字节），其后却有 %lld 字节")
                                 .c_str(),
                             header.valueCount, 7LL * header.valueCount, static_cast<long long>(records)));
    }
    bool twoChannels = HasSecondChannel(header.model);
    if (twoChannels && header.channelCount == 0 && header.valueCount > 0) {
        return Refuse(kDamagedFileText,
                      text::translate("veldrin::DataFileReader", "两个通道都未启用，文件却有数值"));
    }
    if (twoChannels && header.channelCount == 2 && header.valueCount % 2 != 0) {
        return Refuse(kDamagedFileText,
                      text::translate("veldrin::DataFileReader", "两个通道，数值的个数却是奇数"));
    }
    if (header.SampleCount() > kMaxSamples) {
        return Refuse(
            kDamagedFileText,
            Printf(text::translate("veldrin::DataFileReader", "%d 条读数，超过一个历史最多的 %d 条").c_str(),
                   header.SampleCount(), kMaxSamples));
    }
    auto start = CalendarTime(header.startFields);
    if (!start)
        return Refuse(kDamagedFileText,
                      text::translate("veldrin::DataFileReader", "开始时间不是有效的日期时间"));
    header.start = *start;
    return CheckWritable(header);
}

// Instrument name and channel numbers, names and units of a history read from a file.
void SetFileKindTexts(LoggerModel model, HistorySummary& summary) {
    const ModelTraits& traits = Traits(model);
    bool twoChannels = traits.channelCount == 2;
    summary.instrumentName = traits.displayName;
    summary.channel1Name = traits.channel1Name;
    summary.channel1Unit = traits.channel1Unit;
    summary.channel2Number = twoChannels ? 2 : 0;
    summary.channel2Name = traits.channel2Name;
    // Files name the humidity unit in full; a download shows "%".
    summary.channel2Unit = traits.channel2IsHumidity ? "%RH" : std::string(traits.channel2Unit);
}

void ApplyHeader(const DataFileHeader& header, HistoryDataSet& dataSet) {
    dataSet.model = header.model;
    dataSet.fileKind = header.kind;
    dataSet.shown = header.channelEnabled;
    HistorySummary& s = dataSet.summary;
    s.title = FromGbk(header.title);
    s.description = FromGbk(header.description);
    SetFileKindTexts(header.model, s);
    s.source = SummarySource::DataFile;
    s.enabledChannelCount = header.channelCount;
    s.dataLengthValue = header.valueCount;
    s.start = header.start;
    s.storedStopFields = header.stopFields;
    s.intervalSeconds = header.interval;
    s.storedStatistics = header.statisticTexts;
    // Minimum, maximum and average of channel 1, then of channel 2, in the file's order.
    static constexpr float HistorySummary::*kValues[] = {&HistorySummary::min1, &HistorySummary::max1,
                                                         &HistorySummary::avg1, &HistorySummary::min2,
                                                         &HistorySummary::max2, &HistorySummary::avg2};
    for (std::size_t i = 0; i < 6; ++i)
        s.*kValues[i] = header.statistics[i];
    dataSet.limits.enable1 = header.alarm;
    dataSet.limits.lower1 = static_cast<float>(header.limits[0]);
    dataSet.limits.upper1 = static_cast<float>(header.limits[1]);
    dataSet.limits.lower2 = static_cast<float>(header.limits[2]);
    dataSet.limits.upper2 = static_cast<float>(header.limits[3]);
}

}  // namespace

int DataFileHeader::SampleCount() const {
    // A one-channel file holds one value per sample.
    if (Traits(model).channelCount == 1)
        return valueCount;
    if (channelCount == 0)
        return 0;
    return (valueCount + channelCount - 1) / channelCount;
}

Status ReadDataFileHeader(CCipherFile& file, DataFileHeader& header) {
    header = DataFileHeader{};
    if (!file.IsReading())
        return Refuse(kIncompleteFileText, text::translate("veldrin::DataFileReader", "文件没有打开"));
    auto length = file.Length();
    if (!length)
        return Refuse(kIncompleteFileText, text::translate("veldrin::DataFileReader", "文件长度无法读取"));
    header.fileLength = *length;
    if (header.fileLength < static_cast<std::int64_t>(kShortHeaderLength)) {
        return Refuse(kIncompleteFileText, Printf(text::translate("veldrin::DataFileReader",
                                                                  "只有 %lld 字节，少于最短的 194 字节文件头")
                                                      .c_str(),
                                                  static_cast<long long>(header.fileLength)));
    }
    file.Seek(0);
    std::string bytes = file.Read(kShortHeaderLength);
    if (bytes.size() != kShortHeaderLength)
        return Refuse(kIncompleteFileText, text::translate("veldrin::DataFileReader", "文件头无法读取"));
    if (auto result = ReadMaskedHeader(bytes.substr(0, kMaskedLength), header); !result)
        return result;
    file.key = header.key;
    file.seeds = header.seeds;

    std::string plain;
    if (auto result = DecipherHeader(file, bytes, header, plain); !result)
        return result;
    ParseCipherHeader(plain, header);
    if (auto result = CheckHeader(header); !result)
        return result;
    header.kind = Traits(header.model).fileKind;
    return {};
}

Status ReadDataFileRecords(CCipherFile& file, const DataFileHeader& header, DataFileRecords& records) {
    bool twoChannels = HasSecondChannel(header.model);
    // The channels each sample has a field for, in order.
    std::array<std::vector<float>*, 2> channelValues{};
    std::size_t slotCount = 0;
    if (!twoChannels || header.channelEnabled[0])
        channelValues[slotCount++] = &records.values1;
    if (twoChannels && header.channelEnabled[1])
        channelValues[slotCount++] = &records.values2;
    auto samples = static_cast<std::size_t>(header.SampleCount());
    records.values1.assign(samples, 0.0F);
    records.values2.assign(samples, 0.0F);

    file.Seek(static_cast<std::int64_t>(header.headerLength));
    file.position = static_cast<std::uint32_t>(header.headerLength);
    std::size_t sample = 0;
    std::size_t slot = 0;
    for (int first = 0; first < header.valueCount; first += kFieldsPerSegment) {
        int fields = std::min(kFieldsPerSegment, header.valueCount - first);
        std::string bytes = file.Read(static_cast<std::size_t>(fields) * kFieldWidth);
        if (bytes.size() != static_cast<std::size_t>(fields) * kFieldWidth) {
            return Refuse(kIncompleteFileText, text::translate("veldrin::DataFileReader", "记录区无法读取"));
        }
        std::string plain = file.DecipherText(bytes.data(), bytes.size(), CCipherFile::kChainStart);
        if (plain.empty()) {
            return Refuse(kDamagedFileText,
                          Printf(text::translate("veldrin::DataFileReader",
                                                 "从第 %d 个数值起的记录段含有不是数字的字符")
                                     .c_str(),
                                 first));
        }
        for (int field = 0; field < fields; ++field) {
            std::string_view text(plain.data() + static_cast<std::size_t>(field) * kFieldWidth, kFieldWidth);
            (*channelValues[slot])[sample] = static_cast<float>(ParseDecimalField(text));
            if (++slot < slotCount)
                continue;
            slot = 0;
            ++sample;
        }
    }
    return {};
}

void ApplyDataFile(const DataFileHeader& header, const DataFileRecords& records, HistoryDataSet& target) {
    target.Reset();
    ApplyHeader(header, target);
    SampleSeries& samples = target.samples;
    auto count = static_cast<int>(records.values1.size());
    float* values1 = samples.MutableValues1();
    float* values2 = samples.MutableValues2();
    std::time_t* times = samples.MutableTimes();
    std::time_t time = header.start;
    for (int i = 0; i < count; ++i) {
        auto at = static_cast<std::size_t>(i);
        values1[i] = records.values1[at];
        values2[i] = records.values2[at];
        times[i] = time;
        time += header.interval;
    }
    samples.SetCount(count);
}

namespace {

Status ReadWholeFile(const std::string& path, DataFileHeader& header, DataFileRecords& records) {
    CCipherFile file(path, CCipherFile::kRead);
    if (!file.IsReading())
        return Status::Failure(file.OpenError());
    if (auto result = ReadDataFileHeader(file, header); !result)
        return result;
    return ReadDataFileRecords(file, header, records);
}

}  // namespace

DataFileLoad LoadDataFile(const std::string& path) {
    DataFileLoad load;
    DataFileRecords records;
    load.result = ReadWholeFile(path, load.header, records);
    if (!load.result)
        return load;
    load.dataSet = std::make_unique<HistoryDataSet>();
    ApplyDataFile(load.header, records, *load.dataSet);
    return load;
}

Status LoadDataFileInto(const std::string& path, HistoryDataSet& current) {
    DataFileHeader header;
    DataFileRecords records;
    Status result = ReadWholeFile(path, header, records);
    if (result)
        ApplyDataFile(header, records, current);
    return result;
}

}  // namespace veldrin
