#include "files/SafeSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace veldrin {
namespace {

std::string ErrorText(int error) {
    return std::strerror(error);
}

std::string FolderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A name no other save of this process or another one uses at the same moment; O_EXCL makes
// sure of it, the counter only keeps the retries short.
std::string TemporaryName(const std::string& target, int attempt) {
    static std::atomic<unsigned> counter{0};
    std::string folder = FolderOf(target);
    return folder + (folder == "/" ? "" : "/") + "." + NameOf(target) + "." + std::to_string(getpid()) + "-" +
           std::to_string(counter.fetch_add(1)) + "-" + std::to_string(attempt) + ".tmp";
}

// The directory entry of the rename reaches the disk only when the folder itself is synced.
// Failing here does not undo the save, so it is best effort.
void SyncFolder(const std::string& path) {
    int fd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string target) : target_(std::move(target)) {
    if (target_.empty() || target_.back() == '/') {
        failure_ = "no file name given";
        return;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_ = TemporaryName(target_, attempt);
        fd_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0)
            return;
        if (errno != EEXIST)
            break;
    }
    failure_ = "cannot create a file in " + FolderOf(target_) + ": " + ErrorText(errno);
    temporary_.clear();
}

AtomicFileWriter::~AtomicFileWriter() {
    Discard();
}

bool AtomicFileWriter::Write(std::string_view bytes) {
    if (fd_ < 0 || !failure_.empty())
        return false;
    while (!bytes.empty()) {
        ssize_t written = write(fd_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            failure_ = "cannot write " + target_ + ": " + ErrorText(errno);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void AtomicFileWriter::Fail(std::string reason) {
    if (failure_.empty())
        failure_ = std::move(reason);
}

SaveResult AtomicFileWriter::Commit() {
    if (fd_ < 0 || !failure_.empty()) {
        std::string reason = failure_.empty() ? "the file is not open" : failure_;
        Discard();
        return SaveResult::Failure(reason);
    }
    // A file that is replaced keeps its permissions; a new one gets the usual 0666 & ~umask.
    struct stat old {};
    if (stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        fchmod(fd_, old.st_mode & 07777);
    if (fsync(fd_) != 0)
        failure_ = "cannot write " + target_ + " to the disk: " + ErrorText(errno);
    if (close(fd_) != 0 && failure_.empty())
        failure_ = "cannot close " + target_ + ": " + ErrorText(errno);
    fd_ = -1;
    if (failure_.empty() && rename(temporary_.c_str(), target_.c_str()) != 0) {
        failure_ = "cannot replace " + target_ + ": " + ErrorText(errno);
    }
    if (!failure_.empty()) {
        std::string reason = failure_;
        Discard();
        return SaveResult::Failure(reason);
    }
    temporary_.clear();
    SyncFolder(target_);
    return {};
}

void AtomicFileWriter::Discard() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        unlink(temporary_.c_str());
        temporary_.clear();
    }
}

SaveResult SaveFileAtomically(const std::string& target, std::string_view bytes) {
    AtomicFileWriter writer(target);
    writer.Write(bytes);
    return writer.Commit();
}

}  // namespace veldrin
