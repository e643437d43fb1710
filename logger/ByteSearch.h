#pragma once
// Searching received bytes for echoes and markers, and their upper-case hex rendering.
// Markers such as "FFEC01" are matched on byte boundaries only.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace veldrin {

// Position of the first occurrence of `needle` within the first `limit` bytes of `haystack`.
inline std::optional<std::size_t> FindBytes(const std::vector<std::uint8_t>& haystack,
                                            const std::vector<std::uint8_t>& needle,
                                            std::size_t limit = static_cast<std::size_t>(-1)) {
    std::size_t end = std::min(limit, haystack.size());
    if (needle.empty() || needle.size() > end)
        return std::nullopt;
    auto last = haystack.begin() + static_cast<std::ptrdiff_t>(end);
    auto found = std::search(haystack.begin(), last, needle.begin(), needle.end());
    if (found == last)
        return std::nullopt;
    return static_cast<std::size_t>(found - haystack.begin());
}

inline bool StartsWith(const std::vector<std::uint8_t>& bytes, std::initializer_list<std::uint8_t> prefix) {
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

inline bool EndsWith(const std::vector<std::uint8_t>& bytes, std::initializer_list<std::uint8_t> suffix) {
    return bytes.size() >= suffix.size() &&
           std::equal(suffix.begin(), suffix.end(), bytes.end() - static_cast<std::ptrdiff_t>(suffix.size()));
}

// "%02X" per byte, no separator.
inline std::string HexText(const std::uint8_t* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        text.push_back(kDigits[bytes[i] >> 4]);
        text.push_back(kDigits[bytes[i] & 0x0F]);
    }
    return text;
}

inline std::string HexText(const std::vector<std::uint8_t>& bytes) {
    return HexText(bytes.data(), bytes.size());
}

}  // namespace veldrin
