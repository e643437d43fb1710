#include "sim/SimCurve.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/SimMath.h"

namespace veldrin {
namespace {

constexpr std::int64_t kDaySeconds = 86400;
// Excursions are decided per half-hour window and last the first ten minutes of it.
constexpr std::int64_t kWindowSeconds = 1800;
constexpr std::int64_t kExcursionSeconds = 600;

std::uint64_t Mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// A small deterministic wobble in [−1, 1] for one second and one channel.
double Noise(std::time_t when, std::uint64_t channel) {
    std::uint64_t bits = Mix(static_cast<std::uint64_t>(when) * 4 + channel);
    return static_cast<double>(bits % 20001) / 10000.0 - 1.0;
}

enum class Excursion { None, High, Low };

Excursion ExcursionAt(std::time_t when) {
    std::int64_t window = FloorDiv(when, kWindowSeconds);
    if (when - window * kWindowSeconds >= kExcursionSeconds)
        return Excursion::None;
    switch (Mix(static_cast<std::uint64_t>(window) ^ 0x5EEDULL) % 16) {
        case 0:
            return Excursion::High;
        case 1:
            return Excursion::Low;
        default:
            return Excursion::None;
    }
}

int Centi(double value) {
    return static_cast<int>(std::lround(value * 100.0));
}

}  // namespace

SimReading CurveReading(LoggerModel model, std::time_t when) {
    std::int64_t secondOfDay = when - FloorDiv(when, kDaySeconds) * kDaySeconds;
    double daily = std::sin(2.0 * std::numbers::pi * static_cast<double>(secondOfDay) / kDaySeconds);
    Excursion excursion = ExcursionAt(when);

    // Room temperature: 22 °C ± 3.5 over the day; a warm spike of +14 or a cold dip of −27.
    double room = 22.0 + 3.5 * daily + 0.3 * Noise(when, 1);
    if (excursion == Excursion::High)
        room += 14.0;
    if (excursion == Excursion::Low)
        room -= 27.0;

    SimReading reading;
    reading.channel1Centi = Centi(room);
    if (model == LoggerModel::TemperatureHumidity) {
        // Relative humidity moves against the temperature; a damp spell goes above 80 %RH.
        double humidity = 55.0 - 12.0 * daily + 1.5 * Noise(when, 2);
        if (excursion == Excursion::High)
            humidity += 30.0;
        reading.channel2Centi = Centi(std::clamp(humidity, 1.0, 99.0));
    } else if (model == LoggerModel::DualTemperature) {
        // A freezer probe around −18 °C: a defrost cycle warms it, a fault chills it.
        double freezer = -18.0 + 1.5 * daily + 0.4 * Noise(when, 3);
        if (excursion == Excursion::High)
            freezer += 11.0;
        if (excursion == Excursion::Low)
            freezer -= 12.0;
        reading.channel2Centi = Centi(freezer);
    }
    return reading;
}

SimReading MeasuredReading(LoggerModel model, std::time_t when, bool secondProbeUnplugged) {
    SimReading reading = CurveReading(model, when);
    if (secondProbeUnplugged)
        reading.channel2Centi = 0;
    return reading;
}

int BytesPerReading(LoggerModel model) {
    return model == LoggerModel::SingleTemperature ? 2 : 4;
}

std::array<std::uint8_t, 2> EncodeTemperaturePair(int centi) {
    int magnitude = std::min(centi < 0 ? -centi : centi, 12799);
    auto integer = static_cast<std::uint8_t>(magnitude / 100);
    if (centi < 0)
        integer |= 0x80;
    return {integer, static_cast<std::uint8_t>(magnitude % 100)};
}

std::array<std::uint8_t, 2> EncodeHumidityPair(int centi) {
    int value = std::clamp(centi, 0, 9999);
    return {static_cast<std::uint8_t>(value / 100), static_cast<std::uint8_t>(value % 100)};
}

std::array<std::uint8_t, 4> EncodeChannels(LoggerModel model, const SimReading& reading) {
    auto first = EncodeTemperaturePair(reading.channel1Centi);
    std::array<std::uint8_t, 2> second{0, 0};
    if (model == LoggerModel::TemperatureHumidity)
        second = EncodeHumidityPair(reading.channel2Centi);
    if (model == LoggerModel::DualTemperature)
        second = EncodeTemperaturePair(reading.channel2Centi);
    return {first[0], first[1], second[0], second[1]};
}

}  // namespace veldrin
