#pragma once
// Saving without ever destroying the file that is already there: everything is written to a
// temporary file in the target's folder, flushed to the disk, and only then renamed over the
// target. When anything fails the temporary is removed and the old file stays as it was.
#include <string>
#include <string_view>

namespace veldrin {

// Outcome of a save or export; `reason` says what went wrong, for logs and the command-line tool.
struct SaveResult {
    bool ok = true;
    std::string reason;

    static SaveResult Failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

class AtomicFileWriter {
  public:
    // Creates the temporary file next to `target`; check IsOpen() or Commit() for the outcome.
    explicit AtomicFileWriter(std::string target);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // Appends bytes; after the first failure every later write fails too and Commit reports it.
    bool Write(std::string_view bytes);
    // Marks the whole save failed for a reason of the caller's (nothing will be renamed).
    void Fail(std::string reason);
    // Flushes, syncs and renames the temporary over the target. On failure the temporary is
    // removed and the target is untouched.
    SaveResult Commit();
    // Drops everything written so far; the target is untouched.
    void Discard();

    const std::string& Target() const { return target_; }
    const std::string& TemporaryPath() const { return temporary_; }

  private:
    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    std::string failure_;
};

// Writes `bytes` as the whole new content of `target`, safely.
SaveResult SaveFileAtomically(const std::string& target, std::string_view bytes);

}  // namespace veldrin
