#include "archive/Chain.h"

#include <QCryptographicHash>
#include <bit>

namespace veldrin::archive {
namespace {

template <typename Unsigned>
void AppendLittleEndian(QByteArray& out, Unsigned value) {
    char bytes[sizeof(Unsigned)];
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i)
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    out.append(bytes, sizeof(Unsigned));
}

template <typename Unsigned>
Unsigned ReadLittleEndian(const char* data) {
    Unsigned value = 0;
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i)
        value |= static_cast<Unsigned>(static_cast<unsigned char>(data[i])) << (8 * i);
    return value;
}

}  // namespace

void Canonical::Field(std::string_view name, char type, const char* data, std::size_t size) {
    bytes_.append(name.data(), static_cast<qsizetype>(name.size()));
    bytes_.append(type);
    AppendLittleEndian<std::uint64_t>(bytes_, size);
    bytes_.append(data, static_cast<qsizetype>(size));
}

void Canonical::Integer(std::string_view name, std::int64_t value) {
    QByteArray bytes;
    AppendLittleEndian(bytes, static_cast<std::uint64_t>(value));
    Field(name, 'i', bytes.constData(), 8);
}

void Canonical::Null(std::string_view name) {
    Field(name, 'n', nullptr, 0);
}

void Canonical::Real(std::string_view name, float value) {
    QByteArray bytes;
    AppendLittleEndian(bytes, std::bit_cast<std::uint32_t>(value));
    Field(name, 'f', bytes.constData(), 4);
}

void Canonical::Text(std::string_view name, std::string_view value) {
    Field(name, 't', value.data(), value.size());
}

void Canonical::Bytes(std::string_view name, const QByteArray& value) {
    Field(name, 'b', value.constData(), static_cast<std::size_t>(value.size()));
}

std::string Canonical::Hash() const {
    return Sha256Hex(bytes_);
}

std::string Sha256Hex(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
}

// Both packers return an empty but never a null QByteArray, which Qt SQL would bind as NULL.
QByteArray PackFloats(const std::vector<float>& values) {
    QByteArray bytes("");
    bytes.reserve(static_cast<qsizetype>(values.size() * 4));
    for (float value : values)
        AppendLittleEndian(bytes, std::bit_cast<std::uint32_t>(value));
    return bytes;
}

std::vector<float> UnpackFloats(const QByteArray& bytes) {
    std::vector<float> values(static_cast<std::size_t>(bytes.size()) / 4);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = std::bit_cast<float>(ReadLittleEndian<std::uint32_t>(bytes.constData() + 4 * i));
    return values;
}

QByteArray PackTimes(const std::vector<std::int64_t>& values) {
    QByteArray bytes("");
    bytes.reserve(static_cast<qsizetype>(values.size() * 8));
    for (std::int64_t value : values)
        AppendLittleEndian(bytes, static_cast<std::uint64_t>(value));
    return bytes;
}

std::vector<std::int64_t> UnpackTimes(const QByteArray& bytes) {
    std::vector<std::int64_t> values(static_cast<std::size_t>(bytes.size()) / 8);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<std::int64_t>(ReadLittleEndian<std::uint64_t>(bytes.constData() + 8 * i));
    return values;
}

}  // namespace veldrin::archive
