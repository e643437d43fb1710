#include "files/CipherFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "logger/TextFormat.h"
#include "translations/Translation.h"

namespace veldrin {
namespace {

constexpr std::uint8_t kSevenBits = 0x7F;

constexpr std::uint8_t RotateLeft7(std::uint8_t v) {
    return static_cast<std::uint8_t>(((v << 1) | (v >> 6)) & kSevenBits);
}
constexpr std::uint8_t RotateRight7(std::uint8_t v) {
    return static_cast<std::uint8_t>((v >> 1) | ((v & 1) << 6));
}

// The bit scramble depends only on the low seven bits of the position mix and of the
// character, so both directions are tabulated once: 128 × 128 entries each.
using ScrambleTable = std::array<std::array<std::uint8_t, 128>, 128>;

constexpr ScrambleTable MakeForwardTable() {
    ScrambleTable table{};
    for (int mix = 0; mix < 128; ++mix) {
        for (int plain = 0; plain < 128; ++plain) {
            auto v = static_cast<std::uint8_t>(plain);
            for (int bit = 0; bit < 7; ++bit) {
                if (mix & (1 << bit))
                    v ^= static_cast<std::uint8_t>(1 << bit);
                v = RotateLeft7(v);
            }
            table[mix][plain] = v;
        }
    }
    return table;
}

constexpr ScrambleTable MakeBackwardTable() {
    ScrambleTable table{};
    for (int mix = 0; mix < 128; ++mix) {
        for (int stored = 0; stored < 128; ++stored) {
            auto v = static_cast<std::uint8_t>(stored);
            for (int j = 0; j < 7; ++j) {
                v = RotateRight7(v);
                int bit = 6 - j;
                if (mix & (1 << bit))
                    v ^= static_cast<std::uint8_t>(1 << bit);
            }
            table[mix][stored] = v;
        }
    }
    return table;
}

constexpr ScrambleTable kForward = MakeForwardTable();
constexpr ScrambleTable kBackward = MakeBackwardTable();

// The low and the high byte of the position, mixed; only seven bits of it matter.
constexpr std::uint8_t PositionMix(std::uint32_t position) {
    return static_cast<std::uint8_t>(((position & 0xFF) ^ ((position >> 8) & 0xFF)) & kSevenBits);
}

constexpr std::array<bool, 256> MakeNumericSet() {
    std::array<bool, 256> set{};
    for (char c : std::string_view("0123456789-. "))
        set[static_cast<unsigned char>(c)] = true;
    return set;
}
constexpr std::array<bool, 256> kNumericSet = MakeNumericSet();

// Why a file could not be opened for reading, in the user's words; the system's own text for
// the rarer causes.
std::string OpenFailureText(const std::string& path, int error) {
    switch (error) {
        case ENOENT:
            return Printf(text::translate("veldrin::CipherFile", "文件不存在：%s").c_str(), path.c_str());
        case EACCES:
        case EPERM:
            return Printf(text::translate("veldrin::CipherFile", "没有读取这个文件的权限：%s").c_str(),
                          path.c_str());
        default:
            return Printf(text::translate("veldrin::CipherFile", "无法打开 %s：%s").c_str(), path.c_str(),
                          std::strerror(error));
    }
}

// Opens `path` for reading when it is a regular file. A FIFO, a device or a folder is refused at
// once: opening without blocking keeps a FIFO with no writer from holding the caller up for ever.
std::FILE* OpenRegularFile(const std::string& path, std::string& error) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = OpenFailureText(path, errno);
        return nullptr;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? text::translate("veldrin::CipherFile", "这是一个文件夹，不是数据文件")
                                      : text::translate("veldrin::CipherFile",
                                                        "不是普通文件（是管道或设备），所以不是数据文件");
        close(fd);
        return nullptr;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = fdopen(fd, "rb");
    if (file == nullptr) {
        error = OpenFailureText(path, errno);
        close(fd);
    }
    return file;
}

}  // namespace

std::optional<std::uint8_t> KeyFromSeeds(const std::array<std::uint8_t, 5>& seeds) {
    if (seeds[2] == 0)
        return std::nullopt;
    unsigned value = seeds[0] * seeds[1] / seeds[2] + seeds[3] * seeds[4];
    return static_cast<std::uint8_t>(value % 256);
}

std::uint8_t EncipherByte(std::uint8_t plain, std::uint32_t position, std::uint8_t previous,
                          std::uint8_t key) {
    auto chain = static_cast<std::uint8_t>(previous ^ key);
    auto stored =
        static_cast<std::uint8_t>((kForward[PositionMix(position)][plain & kSevenBits] ^ chain) & kSevenBits);
    // 26 (Ctrl-Z) would end the file for some readers; it is stored with the top bit set.
    return stored == 26 ? 154 : stored;
}

std::uint8_t DecipherByte(std::uint8_t stored, std::uint32_t position, std::uint8_t previous,
                          std::uint8_t key) {
    auto chain = static_cast<std::uint8_t>(previous ^ key);
    return kBackward[PositionMix(position)][(stored ^ chain) & kSevenBits];
}

bool IsNumericCharacter(char c) {
    return kNumericSet[static_cast<unsigned char>(c)];
}

CCipherFile::CCipherFile(const std::string& path, int mode) {
    if (mode == kRead) {
        input_ = OpenRegularFile(path, openError_);
    } else if (mode == kWrite) {
        output_ = std::make_unique<AtomicFileWriter>(path);
        if (!output_->IsOpen())
            openError_ = output_->Commit().reason;
    }
}

CCipherFile::~CCipherFile() {
    Close();
}

void CCipherFile::Close() {
    if (input_ != nullptr) {
        std::fclose(input_);
        input_ = nullptr;
    }
    output_.reset();
}

std::optional<std::int64_t> CCipherFile::Length() {
    if (input_ == nullptr)
        return std::nullopt;
    struct stat info {};
    if (fstat(fileno(input_), &info) != 0)
        return std::nullopt;
    return static_cast<std::int64_t>(info.st_size);
}

bool CCipherFile::Seek(std::int64_t offset) {
    return input_ != nullptr && fseeko(input_, static_cast<off_t>(offset), SEEK_SET) == 0;
}

std::string CCipherFile::Read(std::size_t count) {
    std::string bytes(count, '\0');
    if (input_ == nullptr)
        return {};
    bytes.resize(std::fread(bytes.data(), 1, count, input_));
    return bytes;
}

bool CCipherFile::Write(std::string_view bytes) {
    return output_ != nullptr && output_->Write(bytes);
}

void CCipherFile::FailWrite(std::string reason) {
    if (output_ != nullptr)
        output_->Fail(std::move(reason));
}

Status CCipherFile::Commit() {
    if (output_ == nullptr)
        return Status::Failure("the file is not open for writing");
    Status result = output_->Commit();
    output_.reset();
    return result;
}

std::uint8_t CCipherFile::MakeKey(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    auto state = static_cast<unsigned>(local.tm_mon + 1) * static_cast<unsigned>(local.tm_mday) +
                 static_cast<unsigned>(local.tm_hour * local.tm_min * local.tm_sec);
    // A third seed of 0 would leave the key undefined: draw again.
    do {
        for (auto& seed : seeds)
            seed = static_cast<std::uint8_t>(rand_r(&state) % 256);
    } while (seeds[2] == 0);
    key = *KeyFromSeeds(seeds);
    return key;
}

std::string CCipherFile::EncipherText(std::string_view plain, std::uint8_t chainStart) {
    std::string stored(plain.size(), '\0');
    std::uint8_t previous = chainStart;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        auto p = static_cast<std::uint8_t>(plain[i]);
        stored[i] = static_cast<char>(EncipherByte(p, position++, previous, key));
        previous = p;
    }
    return stored;
}

std::string CCipherFile::DecipherText(const char* bytes, std::size_t length, std::uint8_t chainStart) {
    std::string plain(length, '\0');
    std::uint8_t previous = chainStart;
    for (std::size_t i = 0; i < length; ++i) {
        auto p = DecipherByte(static_cast<std::uint8_t>(bytes[i]), position++, previous, key);
        if (!kNumericSet[p])
            return {};
        plain[i] = static_cast<char>(p);
        previous = p;
    }
    return plain;
}

}  // namespace veldrin
