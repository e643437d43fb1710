#pragma once
// Test helper: a fresh folder under the system's temporary folder, removed with everything in it.
#include <filesystem>
#include <string>

#include <unistd.h>

namespace veldrin::test {

class XlsTempDir {
  public:
    XlsTempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "veldrin-xls-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~XlsTempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    XlsTempDir(const XlsTempDir&) = delete;
    XlsTempDir& operator=(const XlsTempDir&) = delete;

    std::string File(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

}  // namespace veldrin::test
