// Where the program finds its archive: --archive on its command line, else the profile's entry,
// else VELDRIN_ARCHIVE, else the default file; a data file named beside --archive still opens.
#include <gtest/gtest.h>

#include <QSettings>
#include <cstdlib>

#include "app/CVeldrinApp.h"
#include "app/Profile.h"
#include "app/Workspace.h"
#include "tests/HistoryFiles.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/QtTempFolder.h"

namespace veldrin {
namespace {

using testing::ProfileFolder;

// While it lives, VELDRIN_ARCHIVE is `value` (unset when empty); then as it was.
class ArchiveVariable {
  public:
    explicit ArchiveVariable(const char* value) {
        if (const char* old = std::getenv("VELDRIN_ARCHIVE"))
            old_ = old;
        Set(value);
    }
    ~ArchiveVariable() { Set(old_ ? old_->c_str() : ""); }
    ArchiveVariable(const ArchiveVariable&) = delete;
    ArchiveVariable& operator=(const ArchiveVariable&) = delete;

  private:
    static void Set(const char* value) {
        if (*value == '\0')
            unsetenv("VELDRIN_ARCHIVE");
        else
            setenv("VELDRIN_ARCHIVE", value, 1);
    }
    std::optional<std::string> old_;
};

std::string ChosenBy(const QStringList& arguments) {
    CVeldrinApp program(arguments);
    EXPECT_TRUE(program.InitInstance());
    return program.Records()->Archiving().Location();
}

TEST(ArchiveLocation, CommandLineThenProfileThenEnvironmentThenTheDefaultFile) {
    test::QtTempFolder folder;
    ProfileFolder profileFolder(folder.filePath(QStringLiteral("config")));
    const QString given = folder.filePath(QStringLiteral("given.sqlite"));
    const QString program = QStringLiteral("veldrin");
    {
        ArchiveVariable variable("");
        EXPECT_EQ(ChosenBy({program}), "") << "the default file";
    }
    ArchiveVariable variable("postgresql://team@db.example/quality");
    EXPECT_EQ(ChosenBy({program}), "postgresql://team@db.example/quality");
    OpenProfile()->setValue(QStringLiteral("archive/location"),
                            QStringLiteral(" /srv/shared/archive.sqlite "));
    EXPECT_EQ(ChosenBy({program}), "/srv/shared/archive.sqlite");
    EXPECT_EQ(ChosenBy({program, QStringLiteral("--archive"), given}), given.toStdString());

    // A data file beside the option is opened; the option's value is no file to open.
    const std::string run = folder.File("run.Vdr");
    test::WriteDataFileFor(run, LoggerModel::SingleTemperature, "run", 1714521600, 7, 0);
    CVeldrinApp opened({program, QStringLiteral("--archive=") + given, QString::fromStdString(run)});
    ASSERT_TRUE(opened.InitInstance());
    EXPECT_EQ(opened.Records()->Archiving().Location(), given.toStdString());
    EXPECT_EQ(opened.Records()->Records().History().samples.Count(), 7);
}

}  // namespace
}  // namespace veldrin
