// Saving onto a symbolic link writes the file the link points to, in that file's folder, and keeps
// the link; a replaced file keeps its permissions and its group. The same for the data file, the
// text export and the workbook.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "files/DataFile.h"
#include "files/SafeSave.h"
#include "files/TextExport.h"
#include "tests/files/DataFileTestSupport.h"
#include "workbook/Workbook.h"

namespace veldrin {
namespace {

namespace fs = std::filesystem;

const std::string kOld = "the old content";

struct Format {
    const char* extension;
    std::function<bool(const std::string& path, const HistoryDataSet& history)> save;
};

std::unique_ptr<WorksheetList> OneColumnList(const char* title, int rows) {
    return std::make_unique<WorksheetList>(
        WorksheetList{{title}, rows, [](int row, int) { return std::to_string(row); }});
}

const Format kFormats[] = {
    {".Vdr", [](const std::string& path, const HistoryDataSet& h) { return WriteDataFile(path, h).ok; }},
    {".txt", [](const std::string& path, const HistoryDataSet& h) { return WriteTextExport(path, h).ok; }},
    {".xls",
     [](const std::string& path, const HistoryDataSet&) {
         auto summary = OneColumnList("名称", 3);
         auto alarms = OneColumnList("序号", 5);
         return ExportWorksheet(path, *summary, *alarms).written;
     }},
};

class SavingThroughLinks : public ::testing::TestWithParam<Format> {
  protected:
    std::string Name(const std::string& stem) const { return stem + GetParam().extension; }
    bool Save(const std::string& path) const { return GetParam().save(path, history_); }
    // The file was written anew: it is there and no longer the old content.
    static bool Rewritten(const std::string& path) {
        return fs::is_regular_file(fs::symlink_status(path)) && test::ReadBytes(path) != kOld &&
               fs::file_size(path) > 0;
    }

    HistoryDataSet history_ =
        test::MakeHistory(LoggerModel::DualTemperature, {{20.5F, -3.0F}, {21.0F, -2.5F}}, 1300000000, 60);
    test::TempFolder linkFolder_;
    test::TempFolder targetFolder_;
};

TEST_P(SavingThroughLinks, ALinkToAnotherFolderKeepsPointingAtTheFileItNowHolds) {
    const std::string target = targetFolder_.File(Name("real"));
    const std::string link = linkFolder_.File(Name("shortcut"));
    test::WriteBytes(target, kOld);
    fs::create_symlink(target, link);

    ASSERT_TRUE(Save(link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), target);
    EXPECT_TRUE(Rewritten(target));
    EXPECT_EQ(linkFolder_.Entries(), std::vector<std::string>{Name("shortcut")})
        << "nothing left beside the link";
    EXPECT_EQ(targetFolder_.Entries(), std::vector<std::string>{Name("real")})
        << "nothing left beside the file";
}

TEST_P(SavingThroughLinks, RelativeChainsAndLinksToNoFileYetAreFollowed) {
    // first → ../target-folder/second → real, each relative to the folder of its link.
    const std::string real = targetFolder_.File(Name("real"));
    test::WriteBytes(real, kOld);
    fs::create_symlink(Name("real"), targetFolder_.File(Name("second")));
    const std::string first = linkFolder_.File(Name("first"));
    fs::create_symlink("../" + fs::path(targetFolder_.Path()).filename().string() + "/" + Name("second"),
                       first);
    ASSERT_TRUE(Save(first));
    EXPECT_TRUE(fs::is_symlink(first));
    EXPECT_TRUE(fs::is_symlink(targetFolder_.File(Name("second"))));
    EXPECT_TRUE(Rewritten(real));

    // A link whose file does not exist yet: the file is made where the link points.
    const std::string dangling = linkFolder_.File(Name("dangling"));
    const std::string made = targetFolder_.File(Name("made"));
    fs::create_symlink(made, dangling);
    ASSERT_TRUE(Save(dangling));
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_TRUE(Rewritten(made));
}

TEST_P(SavingThroughLinks, ALoopOfLinksIsRefusedAndLeftAsItWas) {
    const std::string a = linkFolder_.File(Name("a"));
    const std::string b = linkFolder_.File(Name("b"));
    fs::create_symlink(b, a);
    fs::create_symlink(a, b);
    EXPECT_FALSE(Save(a));
    EXPECT_TRUE(fs::is_symlink(a));
    EXPECT_EQ(fs::read_symlink(a), b);
    EXPECT_EQ(linkFolder_.Entries(), (std::vector<std::string>{Name("a"), Name("b")}));
}

TEST_P(SavingThroughLinks, AReplacedFileKeepsItsModeAndGroup) {
    const std::string target = targetFolder_.File(Name("private"));
    test::WriteBytes(target, kOld);
    ASSERT_EQ(chmod(target.c_str(), 0600), 0);
    ASSERT_TRUE(Save(target));
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600U);
    EXPECT_TRUE(Rewritten(target));

    // Through a link, with a group of its own (the tests run as root, who may set any group).
    const std::string shared = targetFolder_.File(Name("shared"));
    test::WriteBytes(shared, kOld);
    const gid_t group = getgid() + 4242;
    if (chown(shared.c_str(), static_cast<uid_t>(-1), group) != 0)
        GTEST_SKIP() << "cannot give the file another group here";
    ASSERT_EQ(chmod(shared.c_str(), 0640), 0);
    const std::string link = linkFolder_.File(Name("to-shared"));
    fs::create_symlink(shared, link);
    ASSERT_TRUE(Save(link));
    ASSERT_EQ(stat(shared.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640U);
    EXPECT_EQ(info.st_gid, group);
    EXPECT_TRUE(Rewritten(shared));
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, SavingThroughLinks, ::testing::ValuesIn(kFormats),
                         [](const ::testing::TestParamInfo<Format>& format) {
                             return std::string(format.param.extension + 1);
                         });

TEST(SaveTarget, LinksResolveToTheFileTheyNameAndOtherPathsToThemselves) {
    test::TempFolder folder;
    const std::string plain = folder.File("plain");
    EXPECT_EQ(ResolveSaveTarget(plain), plain) << "a file that does not exist yet";
    test::WriteBytes(plain, "x");
    EXPECT_EQ(ResolveSaveTarget(plain), plain);
    fs::create_symlink("plain", folder.File("relative"));
    EXPECT_EQ(ResolveSaveTarget(folder.File("relative")), folder.Path() + "/plain");
    fs::create_symlink("/tmp/../tmp/elsewhere", folder.File("absolute"));
    EXPECT_EQ(ResolveSaveTarget(folder.File("absolute")), "/tmp/../tmp/elsewhere");
    fs::create_symlink("self", folder.File("self"));
    EXPECT_EQ(ResolveSaveTarget(folder.File("self")), std::nullopt);
}

}  // namespace
}  // namespace veldrin
