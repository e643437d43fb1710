#pragma once
// Saving without ever destroying the file that is already there: everything is written to a
// temporary file in the target's folder, flushed to the disk, and only then renamed over the
// target. When anything fails the temporary is removed and the old file stays as it was.
//
// A save to a symbolic link writes the file the link points to, in that file's folder, and keeps
// the link; a file that is replaced keeps its permission bits and, where the user may set it, its
// group.
#include <optional>
#include <string>
#include <string_view>

#include "logger/Status.h"

namespace veldrin {

// The file a save to `path` writes: `path` itself, or the file its symbolic link (or chain of
// links) points to, which need not exist yet. Nothing when the links cannot be followed (a loop).
std::optional<std::string> ResolveSaveTarget(const std::string& path);

// Puts the finished file `temporary` in place of `target` (as ResolveSaveTarget gave it, in the
// same folder): an existing target's permission bits and group go to the temporary, which is
// then renamed over the target. On failure the temporary is left for the caller to remove.
Status MoveIntoPlace(const std::string& temporary, const std::string& target);

class AtomicFileWriter {
  public:
    // Creates the temporary file next to the file a save to `target` writes (through its link);
    // check IsOpen() or Commit() for the outcome.
    explicit AtomicFileWriter(std::string target);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // Appends bytes; after the first failure every later write fails too and Commit reports it.
    bool Write(std::string_view bytes);
    // Marks the whole save failed for a reason of the caller's (nothing will be renamed).
    void Fail(std::string reason);
    // Flushes, syncs and moves the temporary into place (MoveIntoPlace). On failure the temporary
    // is removed and the target is untouched.
    Status Commit();
    // Drops everything written so far; the target is untouched.
    void Discard();

    // The file that is written: the target, or the file its link points to.
    const std::string& Target() const { return target_; }
    const std::string& TemporaryPath() const { return temporary_; }

  private:
    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    std::string failure_;
};

// A private folder (mode 0700) beside a file that is being saved, for a writer that builds the new
// file itself under a name of its own; removed with its content when the object goes.
class ScratchFolder {
  public:
    // `target` as ResolveSaveTarget gave it: the folder is made in the target's folder, so that
    // MoveIntoPlace can rename a file from it over the target.
    explicit ScratchFolder(const std::string& target);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool Ok() const { return !path_.empty(); }
    // Why the folder could not be made.
    const std::string& Error() const { return error_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
    std::string error_;
};

// Writes `bytes` as the whole new content of `target`, safely.
Status SaveFileAtomically(const std::string& target, std::string_view bytes);

}  // namespace veldrin
