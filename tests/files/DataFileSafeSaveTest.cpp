// A save that fails never destroys the file that was there, and leaves no temporary behind.
// The tests run as root, for whom permission bits do not stop a write; failures are made with
// an immutable folder (where the file system supports it), a file size limit that makes the
// write itself fail half-way, a missing folder and a directory standing where the file goes.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "files/DataFile.h"
#include "files/SafeSave.h"
#include "files/TextExport.h"
#include "tests/files/DataFileTestSupport.h"

namespace veldrin {
namespace {

// Sets the immutable attribute on a folder for the life of the object: nothing can be created,
// renamed or removed in it, not even by root.
class ImmutableFolder {
  public:
    explicit ImmutableFolder(const std::string& path) {
        fd_ = open(path.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd_ < 0 || ioctl(fd_, FS_IOC_GETFLAGS, &flags_) != 0)
            return;
        int immutable = flags_ | FS_IMMUTABLE_FL;
        active_ = ioctl(fd_, FS_IOC_SETFLAGS, &immutable) == 0;
    }
    ~ImmutableFolder() {
        if (active_)
            ioctl(fd_, FS_IOC_SETFLAGS, &flags_);
        if (fd_ >= 0)
            close(fd_);
    }
    bool Active() const { return active_; }

  private:
    int fd_ = -1;
    int flags_ = 0;
    bool active_ = false;
};

// Limits the size of any file this process writes, so that a write past it fails with EFBIG.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit old_{};
    void (*previousHandler_)(int) = nullptr;
};

class SafeSave : public ::testing::Test {
  protected:
    void SetUp() override {
        std::vector<std::pair<float, float>> values;
        for (int i = 0; i < 2000; ++i)
            values.emplace_back(static_cast<float>(i % 40), static_cast<float>(i % 70));
        history_ = test::MakeHistory(LoggerModel::TemperatureHumidity, values, 1300000000, 60);
        test::WriteBytes(target_, "the old file");
    }

    void ExpectOldFileKept() {
        EXPECT_EQ(test::ReadBytes(target_), "the old file");
        EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"report.Vdr"});
    }

    test::TempFolder folder_;
    std::string target_ = folder_.File("report.Vdr");
    HistoryDataSet history_;
};

TEST_F(SafeSave, AFolderWhereNothingCanBeCreatedKeepsTheOldFile) {
    ImmutableFolder immutable(folder_.Path());
    if (!immutable.Active())
        GTEST_SKIP() << "the file system does not support the immutable attribute";
    Status data = WriteDataFile(target_, history_);
    EXPECT_FALSE(data.ok);
    EXPECT_NE(data.reason.find("cannot create a file in " + folder_.Path()), std::string::npos)
        << data.reason;
    EXPECT_FALSE(WriteTextExport(target_, history_).ok);
    EXPECT_EQ(test::ReadBytes(target_), "the old file");
}

TEST_F(SafeSave, AWriteThatFailsHalfWayKeepsTheOldFileAndLeavesNoTemporary) {
    {
        FileSizeLimit limit(4096);
        Status data = WriteDataFile(target_, history_);
        EXPECT_FALSE(data.ok);
        EXPECT_NE(data.reason.find("cannot write"), std::string::npos) << data.reason;
        ExpectOldFileKept();
        EXPECT_FALSE(WriteTextExport(target_, history_).ok);
        ExpectOldFileKept();
    }
    // Without the limit the same saves replace the file.
    ASSERT_TRUE(WriteDataFile(target_, history_).ok);
    EXPECT_EQ(test::ReadBytes(target_).size(), 223U + 7 * 4000);
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"report.Vdr"});
}

TEST_F(SafeSave, AMissingFolderOrADirectoryInTheWayIsReported) {
    Status missing = WriteDataFile(folder_.File("no/such/report.Vdr"), history_);
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.reason.find("no/such"), std::string::npos) << missing.reason;

    std::filesystem::create_directory(folder_.File("taken.Vdr"));
    test::WriteBytes(folder_.File("taken.Vdr/inside"), "kept");
    Status taken = WriteDataFile(folder_.File("taken.Vdr"), history_);
    EXPECT_FALSE(taken.ok);
    EXPECT_NE(taken.reason.find("cannot replace"), std::string::npos) << taken.reason;
    EXPECT_EQ(test::ReadBytes(folder_.File("taken.Vdr/inside")), "kept");
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"report.Vdr", "taken.Vdr"}));
}

TEST_F(SafeSave, AReplacedFileKeepsItsPermissions) {
    chmod(target_.c_str(), 0640);
    ASSERT_TRUE(SaveFileAtomically(target_, "new").ok);
    struct stat info {};
    stat(target_.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640U);
    EXPECT_EQ(test::ReadBytes(target_), "new");
}

TEST_F(SafeSave, AWriterThatIsNotCommittedChangesNothing) {
    {
        AtomicFileWriter writer(target_);
        ASSERT_TRUE(writer.IsOpen());
        EXPECT_TRUE(writer.Write("half"));
        EXPECT_EQ(folder_.Entries().size(), 2U);
    }
    ExpectOldFileKept();

    AtomicFileWriter failed(target_);
    failed.Write("half");
    failed.Fail("the caller gave up");
    EXPECT_FALSE(failed.Write("more"));
    Status result = failed.Commit();
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, "the caller gave up");
    ExpectOldFileKept();
}

}  // namespace
}  // namespace veldrin
