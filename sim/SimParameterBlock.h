#pragma once
// The 129-byte answer to "read all parameters" (FF E9 01): every setting in one reply, in groups
// that each start with the code of the command that reads the same setting alone.
#include <cstdint>
#include <vector>

#include "sim/SimLoggerConfig.h"

namespace veldrin {

constexpr std::size_t kParameterBlockBytes = 129;

std::vector<std::uint8_t> BuildParameterBlock(std::uint8_t identificationByte, const SimSettings& settings,
                                              std::uint32_t recordBytes);

}  // namespace veldrin
