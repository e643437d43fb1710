#pragma once
// The readings a simulated logger measures: a plausible daily curve per model with a few
// excursions beyond the default alarm limits, the same for every run (a pure function of time).
#include <array>
#include <cstdint>
#include <ctime>

#include "logger/LoggerModel.h"

namespace veldrin {

// One reading in hundredths of the channel's unit (°C or %RH). Channel 2 is 0 for the
// single-temperature model.
struct SimReading {
    int channel1Centi = 0;
    int channel2Centi = 0;
};

SimReading CurveReading(LoggerModel model, std::time_t when);
// The same reading from a logger whose second probe is not plugged in (channel 2 reads 0) when
// `secondProbeUnplugged`.
SimReading MeasuredReading(LoggerModel model, std::time_t when, bool secondProbeUnplugged);

// Record memory bytes per reading: 2 for the single-temperature model, 4 for the others.
int BytesPerReading(LoggerModel model);

// Temperature pair: sign-magnitude integer byte, then hundredths; magnitudes above 127.99 are cut.
std::array<std::uint8_t, 2> EncodeTemperaturePair(int centi);
// Humidity pair: whole percent, then hundredths; kept within 0 … 99.99.
std::array<std::uint8_t, 2> EncodeHumidityPair(int centi);

// Both channels as the logger sends them in realtime frames (channel 2 is 00 00 for the
// single-temperature model).
std::array<std::uint8_t, 4> EncodeChannels(LoggerModel model, const SimReading& reading);

}  // namespace veldrin
