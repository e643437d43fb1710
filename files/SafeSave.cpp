#include "files/SafeSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <system_error>

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

// As many links as the system itself follows before it reports a loop.
constexpr int kMaxLinkHops = 40;

// The text of the symbolic link `path`; nothing when it cannot be read.
std::optional<std::string> ReadLink(const std::string& path) {
    char text[PATH_MAX];
    ssize_t length = readlink(path.c_str(), text, sizeof text);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof text)
        return std::nullopt;
    return std::string(text, static_cast<std::size_t>(length));
}

}  // namespace

std::optional<std::string> ResolveSaveTarget(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info {};
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        auto link = ReadLink(current);
        if (!link || link->empty())
            return std::nullopt;
        // A relative link is relative to the folder the link lies in.
        if (link->front() != '/') {
            const std::string folder = FolderOf(current);
            *link = (folder == "/" ? "" : folder) + "/" + *link;
        }
        current = std::move(*link);
    }
    return std::nullopt;
}

Status MoveIntoPlace(const std::string& temporary, const std::string& target) {
    struct stat old {};
    if (stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        // The group first: changing it may clear the set-group-id bit that the mode then restores.
        // Only a group the user belongs to can be set; otherwise the file gets the user's own.
        [[maybe_unused]] const int groupKept = chown(temporary.c_str(), static_cast<uid_t>(-1), old.st_gid);
        if (chmod(temporary.c_str(), old.st_mode & 07777) != 0)
            return Status::Failure("cannot keep the permissions of " + target + ": " + ErrorText(errno));
    }
    if (rename(temporary.c_str(), target.c_str()) != 0)
        return Status::Failure("cannot replace " + target + ": " + ErrorText(errno));
    SyncFolder(target);
    return {};
}

AtomicFileWriter::AtomicFileWriter(std::string target) {
    if (target.empty() || target.back() == '/') {
        failure_ = "no file name given";
        return;
    }
    auto resolved = ResolveSaveTarget(target);
    if (!resolved) {
        failure_ = "cannot follow the symbolic link " + target + ": " + ErrorText(ELOOP);
        return;
    }
    target_ = std::move(*resolved);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_ = TemporaryName(target_, attempt);
        fd_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            // The new content is never readable by more users than the old one was.
            struct stat old {};
            if (stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode))
                fchmod(fd_, old.st_mode & 0777);
            return;
        }
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

Status AtomicFileWriter::Commit() {
    if (fd_ < 0 || !failure_.empty()) {
        std::string reason = failure_.empty() ? "the file is not open" : failure_;
        Discard();
        return Status::Failure(reason);
    }
    if (fsync(fd_) != 0)
        failure_ = "cannot write " + target_ + " to the disk: " + ErrorText(errno);
    if (close(fd_) != 0 && failure_.empty())
        failure_ = "cannot close " + target_ + ": " + ErrorText(errno);
    fd_ = -1;
    // A file that is replaced keeps its permissions; a new one gets the usual 0666 & ~umask.
    if (failure_.empty()) {
        if (Status moved = MoveIntoPlace(temporary_, target_); !moved)
            failure_ = moved.reason;
    }
    if (!failure_.empty()) {
        std::string reason = failure_;
        Discard();
        return Status::Failure(reason);
    }
    temporary_.clear();
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

ScratchFolder::ScratchFolder(const std::string& target) {
    std::string pattern = FolderOf(target) + "/.veldrin-save-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) {
        path_ = pattern;
    } else {
        error_ = "cannot write in " + FolderOf(target) + ": " + ErrorText(errno);
    }
}

ScratchFolder::~ScratchFolder() {
    if (path_.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

Status SaveFileAtomically(const std::string& target, std::string_view bytes) {
    AtomicFileWriter writer(target);
    writer.Write(bytes);
    return writer.Commit();
}

}  // namespace veldrin
