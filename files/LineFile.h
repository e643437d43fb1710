#pragma once
// CLineFile: a list of text lines written to a file in one go, each line followed by CR LF.
#include <string>
#include <vector>

#include "files/SafeSave.h"

namespace veldrin {

class CLineFile {
  public:
    // Lines are bytes as they go into the file (the text export adds GBK).
    void Add(std::string line) { lines_.push_back(std::move(line)); }
    const std::vector<std::string>& Lines() const { return lines_; }
    // Every line followed by "\r\n".
    std::string Content() const;
    // Replaces the target with the lines. The target is `fullPath` when it is not empty, else
    // folder + "/" + name. The old file stays when the write fails.
    Status WriteLines(const std::string& folder, const std::string& name, const std::string& fullPath) const;

  private:
    std::vector<std::string> lines_;
};

}  // namespace veldrin
