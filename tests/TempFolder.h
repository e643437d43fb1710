#pragma once
// The one temporary folder of the tests and benchmarks: a new empty folder veldrin-XXXXXX under the
// system's temporary folder, removed with everything in it when the object goes. A test that made
// something in it read-only gets it removed all the same. Qt-free, so that the core tests and the
// ThreadSanitizer build use it too; tests/app/QtTempFolder.h gives it Qt's path names.
#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace veldrin::test {

class TempFolder {
  public:
    // Throws std::runtime_error when no folder can be made, so that the test fails at once
    // instead of writing somewhere else.
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "veldrin-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder " + pattern + ": " +
                                     std::strerror(errno));
        path_ = pattern;
    }
    ~TempFolder() {
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (auto it = fs::recursive_directory_iterator(path_, ignored);
             it != fs::recursive_directory_iterator(); it.increment(ignored)) {
            if (it->is_directory(ignored) && !it->is_symlink(ignored))
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The path of `name` inside the folder (nothing is made).
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Names of the entries in the folder, sorted.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::string path_;
};

}  // namespace veldrin::test
