#pragma once
// The shared string table of a BIFF8 workbook: every distinct cell text once, referred to by index
// from the LABELSST cells. Written as SST with CONTINUE records, followed by the EXTSST index.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "workbook/Biff8Records.h"

namespace veldrin {

class Biff8SharedStrings {
  public:
    // Room for this many references without rehashing.
    void Reserve(std::size_t references);
    // Index of `text` in the table, adding it on first use; counts one more reference. The table
    // keeps a view of `text`, which must outlive it.
    std::uint32_t Add(std::string_view text);

    std::uint32_t UniqueCount() const { return static_cast<std::uint32_t>(texts_.size()); }
    std::uint32_t TotalCount() const { return total_; }

    // Appends SST, its CONTINUE records and EXTSST to the stream.
    void Write(Biff8Stream& stream) const;

  private:
    std::unordered_map<std::string_view, std::uint32_t> index_;
    std::vector<std::string_view> texts_;  // in table order
    std::uint32_t total_ = 0;
};

}  // namespace veldrin
