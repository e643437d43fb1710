#pragma once
// The three logger models and everything that differs between them, kept in one table: code
// elsewhere asks the table for a model's facts instead of comparing models.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace veldrin {

enum class LoggerModel : int {
    SingleTemperature = 0,
    TemperatureHumidity = 1,
    DualTemperature = 2,
    Unknown = 6,
};

// Per-model facts. Texts are UTF-8 and Chinese, as they go to the wire and into files (as GBK);
// the user reads them through ShownModelText.
struct ModelTraits {
    LoggerModel model;
    std::uint8_t identificationByte;  // answer to identify, and the marker of realtime frames
    std::string_view displayName;     // "单温度记录仪" …; two blanks for Unknown
    int fileKind;                     // data-file kind code: model code + 3; 6 = unreadable
    int channelCount;
    std::string_view channel1Name;
    std::string_view channel1Unit;
    std::string_view channel2Name;  // " " where there is no second channel
    std::string_view channel2Unit;  // humidity of a downloaded history; files say "%RH"
    std::string_view caption1;      // realtime panel tab captions
    std::string_view caption2;
    bool channel2IsHumidity;
    bool signedChannel2Limits;  // channel-2 limit bytes are sign-magnitude (a second temperature)
    // The download's progress also counts the reply bytes still waiting (single temperature).
    bool progressCountsWaitingReply;
    // The next history block is asked for only while the download is in its first step
    // (temperature-humidity).
    bool blockRequestsOnlyWhileBegun;
    // The model's name on the command line, in file-name templates and in JSON ("single", "humidity",
    // "dual"); "unknown" for Unknown.
    std::string_view shortName;
};

const ModelTraits& Traits(LoggerModel model);
// A model's name, a channel's name or a caption of the table (also as a history's summary or a
// data file holds it) in the language of the run; any other text as it is.
std::string ShownModelText(std::string_view text);
// The three models a logger can be, in the table's order (Unknown left out).
std::span<const ModelTraits> KnownModels();
// Whether the model measures two channels (temperature-humidity, dual temperature).
bool HasSecondChannel(LoggerModel model);
int ModelCode(LoggerModel model);
// Model code 0, 1, 2 → model; anything else Unknown.
LoggerModel ModelFromCode(int code);
// 0xA6, 0xA7, 0xA5 → model; anything else Unknown.
LoggerModel ModelFromIdentification(std::uint8_t byte);
// "single", "humidity", "dual" → model; anything else nothing.
std::optional<LoggerModel> ModelFromShortName(std::string_view name);
// Data-file kind 3, 4, 5 → model; anything else nothing (file unreadable).
std::optional<LoggerModel> ModelFromFileKind(int kind);

}  // namespace veldrin
