#pragma once
// Byte-level building blocks of the BIFF8 workbook stream: little-endian fields, records with their
// 4-byte headers, and Excel's Unicode strings (8-bit "compressed" when every character is below
// U+0100, UTF-16LE otherwise).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace veldrin {

// Largest payload of one BIFF8 record; longer data continues in CONTINUE records.
inline constexpr std::size_t kBiff8MaxRecordData = 8224;

namespace biff8 {
inline constexpr std::uint16_t kBof = 0x0809;
inline constexpr std::uint16_t kEof = 0x000A;
inline constexpr std::uint16_t kCodePage = 0x0042;
inline constexpr std::uint16_t kWindow1 = 0x003D;
inline constexpr std::uint16_t kFont = 0x0031;
inline constexpr std::uint16_t kXf = 0x00E0;
inline constexpr std::uint16_t kStyle = 0x0293;
inline constexpr std::uint16_t kBoundSheet = 0x0085;
inline constexpr std::uint16_t kSst = 0x00FC;
inline constexpr std::uint16_t kExtSst = 0x00FF;
inline constexpr std::uint16_t kContinue = 0x003C;
inline constexpr std::uint16_t kDimensions = 0x0200;
inline constexpr std::uint16_t kWindow2 = 0x023E;
inline constexpr std::uint16_t kColInfo = 0x007D;
inline constexpr std::uint16_t kLabelSst = 0x00FD;
inline constexpr std::uint16_t kBlank = 0x0201;
}  // namespace biff8

// Appends little-endian fields to a byte string.
class Biff8Bytes {
  public:
    void Put8(std::uint8_t value) { data_.push_back(static_cast<char>(value)); }
    void Put16(std::uint16_t value);
    void Put32(std::uint32_t value);
    void PutBytes(std::string_view bytes) { data_.append(bytes); }
    // The characters of `text`, one byte each when `compressed`, else two.
    void PutChars(std::u16string_view text, bool compressed);

    std::size_t Size() const { return data_.size(); }
    const std::string& Data() const { return data_; }
    std::string& Data() { return data_; }
    void Clear() { data_.clear(); }

  private:
    std::string data_;
};

// The workbook stream under construction: whole records, and the stream position of each byte.
class Biff8Stream {
  public:
    void Record(std::uint16_t type, std::string_view payload);
    void Record(std::uint16_t type, const Biff8Bytes& payload) { Record(type, payload.Data()); }
    std::size_t Position() const { return bytes_.size(); }
    void Reserve(std::size_t size) { bytes_.reserve(size); }
    void Patch32(std::size_t position, std::uint32_t value);
    const std::string& Bytes() const { return bytes_; }
    std::string TakeBytes() { return std::move(bytes_); }
    // Zero bytes after the last record up to `size` bytes in all.
    void Pad(std::size_t size);

  private:
    std::string bytes_;
};

// UTF-8 → UTF-16; an invalid sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
// True when every character fits the 8-bit form.
bool FitsCompressed(std::u16string_view text);
// Number of UTF-16 units of a UTF-8 text.
std::size_t Utf16Length(std::string_view utf8);

}  // namespace veldrin
