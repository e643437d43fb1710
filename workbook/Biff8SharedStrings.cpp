#include "workbook/Biff8SharedStrings.h"

#include <algorithm>

#include "workbook/WorksheetBook.h"

namespace veldrin {
namespace {

// EXTSST divides the table into at most this many buckets of at least 8 strings.
constexpr std::uint32_t kMaxBuckets = 128;
constexpr std::uint32_t kMinBucketSize = 8;

// Lays strings out over SST and CONTINUE records. A string's header (length and flags) and its
// first character never part; when the characters run over a record, the next CONTINUE record
// starts with one flag byte that says whether the rest is 8-bit or UTF-16.
class SstLayout {
  public:
    explicit SstLayout(Biff8Stream& stream) : stream_(stream) {}

    void Begin(std::uint32_t total, std::uint32_t unique) {
        record_ = biff8::kSst;
        payload_.Put32(total);
        payload_.Put32(unique);
    }

    // Writes one string; returns its stream position and offset inside its record (with header).
    std::pair<std::uint32_t, std::uint16_t> Put(std::u16string_view text) {
        text = text.substr(0, kWorksheetMaxCellChars);
        const bool compressed = FitsCompressed(text);
        const std::size_t charSize = compressed ? 1 : 2;
        const std::size_t headerSize = 3;
        if (Room() < headerSize + (text.empty() ? 0 : charSize))
            Flush();
        const auto where =
            std::make_pair(static_cast<std::uint32_t>(stream_.Position() + 4 + payload_.Size()),
                           static_cast<std::uint16_t>(4 + payload_.Size()));
        payload_.Put16(static_cast<std::uint16_t>(text.size()));
        payload_.Put8(compressed ? 0x00 : 0x01);
        while (!text.empty()) {
            std::size_t fit = std::min(text.size(), Room() / charSize);
            payload_.PutChars(text.substr(0, fit), compressed);
            text.remove_prefix(fit);
            if (text.empty())
                break;
            Flush();
            payload_.Put8(compressed ? 0x00 : 0x01);
        }
        return where;
    }

    void End() { Flush(); }

  private:
    std::size_t Room() const { return kBiff8MaxRecordData - payload_.Size(); }

    void Flush() {
        stream_.Record(record_, payload_);
        payload_.Clear();
        record_ = biff8::kContinue;
    }

    Biff8Stream& stream_;
    Biff8Bytes payload_;
    std::uint16_t record_ = biff8::kSst;
};

}  // namespace

void Biff8SharedStrings::Reserve(std::size_t references) {
    index_.reserve(references);
}

std::uint32_t Biff8SharedStrings::Add(std::string_view text) {
    ++total_;
    auto [it, added] = index_.try_emplace(text, static_cast<std::uint32_t>(texts_.size()));
    if (added)
        texts_.push_back(text);
    return it->second;
}

void Biff8SharedStrings::Write(Biff8Stream& stream) const {
    const std::uint32_t unique = UniqueCount();
    const std::uint32_t bucketSize = std::max(kMinBucketSize, (unique + kMaxBuckets - 1) / kMaxBuckets);

    Biff8Bytes extSst;
    extSst.Put16(static_cast<std::uint16_t>(bucketSize));
    SstLayout layout(stream);
    layout.Begin(total_, unique);
    for (std::uint32_t i = 0; i < unique; ++i) {
        auto [position, offset] = layout.Put(Utf8ToUtf16(texts_[i]));
        if (i % bucketSize == 0) {
            extSst.Put32(position);
            extSst.Put16(offset);
            extSst.Put16(0);
        }
    }
    layout.End();
    stream.Record(biff8::kExtSst, extSst);
}

}  // namespace veldrin
