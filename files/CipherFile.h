#pragma once
// CCipherFile: the stream through which a data file is written and read. It holds the file,
// the five seed bytes and the key, and the position (the file offset of the next byte to
// encipher or decipher), and it enciphers and deciphers the fixed-width number text of a data
// file. Writing goes through an AtomicFileWriter, so a failed save leaves the old file in place.
#include <array>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "files/SafeSave.h"

namespace veldrin {

// Key byte of five seeds: (s0 × s1 ÷ s2 + s3 × s4) mod 256 with integer division. Nothing when
// the third seed is 0 (no key exists; such a file is refused).
std::optional<std::uint8_t> KeyFromSeeds(const std::array<std::uint8_t, 5>& seeds);

// One byte through the cipher: `plain` at file offset `position`, chained to the previous plain
// character `previous` of the same segment. A result of 26 is stored as 154.
std::uint8_t EncipherByte(std::uint8_t plain, std::uint32_t position, std::uint8_t previous,
                          std::uint8_t key);
// The inverse: the plain character (seven bits) of a stored byte.
std::uint8_t DecipherByte(std::uint8_t stored, std::uint32_t position, std::uint8_t previous,
                          std::uint8_t key);

// Digits, "-", "." and the blank: the only characters the enciphered parts of a data file hold.
bool IsNumericCharacter(char c);

class CCipherFile {
  public:
    static constexpr int kRead = 1;
    static constexpr int kWrite = 2;
    // Every enciphered segment chains from this byte.
    static constexpr std::uint8_t kChainStart = 0x2F;

    // Mode 1 opens `path` for reading, mode 2 opens it for writing (through a temporary that
    // Commit renames over `path`), any other mode opens nothing.
    CCipherFile(const std::string& path, int mode);
    ~CCipherFile();
    CCipherFile(const CCipherFile&) = delete;
    CCipherFile& operator=(const CCipherFile&) = delete;

    // Closes whichever file is open; output that was not committed is dropped.
    void Close();
    bool IsReading() const { return input_ != nullptr; }
    bool IsWriting() const { return output_ != nullptr && output_->IsOpen(); }
    // Why opening failed, when it did.
    const std::string& OpenError() const { return openError_; }

    // Reading. Length is the file's size in bytes; Read returns fewer bytes at the end.
    std::optional<std::int64_t> Length();
    bool Seek(std::int64_t offset);
    std::string Read(std::size_t count);

    // Writing.
    bool Write(std::string_view bytes);
    void FailWrite(std::string reason);
    Status Commit();

    // Fills the seeds from the pseudo-random generator seeded with month × day + hour × minute ×
    // second of `now` (local time) and returns the key. The third seed is never 0.
    std::uint8_t MakeKey(std::time_t now = std::time(nullptr));

    // Enciphers `plain` starting at the current position, chaining from `chainStart`; the
    // position advances by the length.
    std::string EncipherText(std::string_view plain, std::uint8_t chainStart);
    // Deciphers `length` bytes starting at the current position. Empty when a deciphered
    // character lies outside the numeric set (deciphering stops there).
    std::string DecipherText(const char* bytes, std::size_t length, std::uint8_t chainStart);

    std::array<std::uint8_t, 5> seeds{};
    std::uint8_t key = 0;
    std::uint32_t position = 0;

  private:
    std::FILE* input_ = nullptr;
    std::unique_ptr<AtomicFileWriter> output_;
    std::string openError_;
};

}  // namespace veldrin
