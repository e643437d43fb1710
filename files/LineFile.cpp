#include "files/LineFile.h"

namespace veldrin {

std::string CLineFile::Content() const {
    std::size_t size = 0;
    for (const auto& line : lines_)
        size += line.size() + 2;
    std::string content;
    content.reserve(size);
    for (const auto& line : lines_) {
        content += line;
        content += "\r\n";
    }
    return content;
}

Status CLineFile::WriteLines(const std::string& folder, const std::string& name,
                             const std::string& fullPath) const {
    std::string target = fullPath.empty() ? folder + "/" + name : fullPath;
    return SaveFileAtomically(target, Content());
}

}  // namespace veldrin
