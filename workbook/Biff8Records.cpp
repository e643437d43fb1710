#include "workbook/Biff8Records.h"

#include <algorithm>

namespace veldrin {

void Biff8Bytes::Put16(std::uint16_t value) {
    Put8(static_cast<std::uint8_t>(value & 0xFF));
    Put8(static_cast<std::uint8_t>(value >> 8));
}

void Biff8Bytes::Put32(std::uint32_t value) {
    Put16(static_cast<std::uint16_t>(value & 0xFFFF));
    Put16(static_cast<std::uint16_t>(value >> 16));
}

void Biff8Bytes::PutChars(std::u16string_view text, bool compressed) {
    for (char16_t unit : text) {
        if (compressed) {
            Put8(static_cast<std::uint8_t>(unit));
        } else {
            Put16(static_cast<std::uint16_t>(unit));
        }
    }
}

void Biff8Stream::Record(std::uint16_t type, std::string_view payload) {
    const char header[4] = {static_cast<char>(type & 0xFF), static_cast<char>(type >> 8),
                            static_cast<char>(payload.size() & 0xFF), static_cast<char>(payload.size() >> 8)};
    bytes_.append(header, sizeof header);
    bytes_.append(payload);
}

void Biff8Stream::Patch32(std::size_t position, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes_[position + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void Biff8Stream::Pad(std::size_t size) {
    if (bytes_.size() < size)
        bytes_.resize(size, '\0');
}

namespace {

// Decodes one UTF-8 character at `i`, advancing `i`; returns U+FFFD for an invalid sequence.
char32_t NextCodePoint(std::string_view utf8, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(utf8[k]); };
    unsigned char lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    std::size_t length = lead >= 0xF0 && lead < 0xF8   ? 4
                         : lead >= 0xE0                ? 3
                         : lead >= 0xC2 && lead < 0xE0 ? 2
                                                       : 0;
    if (length == 0 || i + length > utf8.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    i += length;
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
        return 0xFFFD;
    return code;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t code = NextCodePoint(utf8, i);
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
    }
    return out;
}

bool FitsCompressed(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x100; });
}

std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < utf8.size();)
        units += NextCodePoint(utf8, i) >= 0x10000 ? 2 : 1;
    return units;
}

}  // namespace veldrin
