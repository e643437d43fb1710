#pragma once
// The chain that makes the archive tamper-evident. Entries and events form ONE chain in the order
// they were written (their `seq`, 1, 2, 3 … across both tables); each record carries the hash of the
// record before it (64 zeros for the first) and its own hash, the SHA-256 of a canonical
// serialisation of every field it holds, that previous hash and its place in the chain included.
// The chain head (one row) holds the place and hash of the last record, so that removing records
// at the end shows too. An entry's bytes are covered through their SHA-256, which verification
// recomputes from the bytes.
#include <QByteArray>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veldrin::archive {

inline const std::string kNoPreviousHash(64, '0');

// The canonical serialisation: every field as its name, a type letter, its length as 8 bytes
// little-endian and its value (integers as 8 bytes little-endian, floats as their 4-byte IEEE
// pattern little-endian, text as UTF-8), so that no two different records serialise alike.
class Canonical {
  public:
    void Integer(std::string_view name, std::int64_t value);
    void Null(std::string_view name);
    void Real(std::string_view name, float value);
    void Text(std::string_view name, std::string_view value);
    void Bytes(std::string_view name, const QByteArray& value);
    // SHA-256 of everything added, lower-case hexadecimal.
    std::string Hash() const;

  private:
    void Field(std::string_view name, char type, const char* data, std::size_t size);
    QByteArray bytes_;
};

std::string Sha256Hex(const QByteArray& bytes);

// Readings stored compactly: packed little-endian 32-bit floats, or 64-bit integers for times.
QByteArray PackFloats(const std::vector<float>& values);
std::vector<float> UnpackFloats(const QByteArray& bytes);
QByteArray PackTimes(const std::vector<std::int64_t>& values);
std::vector<std::int64_t> UnpackTimes(const QByteArray& bytes);

}  // namespace veldrin::archive
