#include "files/DataFileLayout.h"

namespace veldrin::datafile {
namespace {

// Long-form type codes; the short form stores the same codes minus 10.
constexpr int kDualTypeCode = 15;
constexpr int kSingleTypeCode = 16;
constexpr int kHumidityTypeCode = 17;
constexpr int kShortFormOffset = 10;

}  // namespace

std::optional<int> TypeCodeFor(LoggerModel model) {
    switch (model) {
        case LoggerModel::DualTemperature:
            return kDualTypeCode;
        case LoggerModel::SingleTemperature:
            return kSingleTypeCode;
        case LoggerModel::TemperatureHumidity:
            return kHumidityTypeCode;
        case LoggerModel::Unknown:
            break;
    }
    return std::nullopt;
}

std::optional<LoggerModel> ModelFromTypeCode(int typeCode) {
    int longCode = typeCode <= kLastShortTypeCode ? typeCode + kShortFormOffset : typeCode;
    switch (longCode) {
        case kDualTypeCode:
            return LoggerModel::DualTemperature;
        case kSingleTypeCode:
            return LoggerModel::SingleTemperature;
        case kHumidityTypeCode:
            return LoggerModel::TemperatureHumidity;
        default:
            return std::nullopt;
    }
}

}  // namespace veldrin::datafile
