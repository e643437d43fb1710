#include <gtest/gtest.h>
#include <stdlib.h>

#include <QSettings>
#include <memory>

#include "app/Profile.h"
#include "app/RecentFileList.h"
#include "tests/app/QtTempFolder.h"

namespace veldrin {
namespace {

class ProfileTest : public ::testing::Test {
  protected:
    std::unique_ptr<QSettings> Open() const {
        return std::make_unique<QSettings>(dir.filePath(QStringLiteral("profile.conf")),
                                           QSettings::IniFormat);
    }
    test::QtTempFolder dir;
};

TEST_F(ProfileTest, RecentFilesKeepTheFourNewestWithoutRepeats) {
    auto profile = Open();
    RecentFileList recent(*profile);
    for (const char* path : {"/a.Vdr", "/b.Vdr", "/c.Vdr", "/d.Vdr", "/e.Vdr"}) {
        recent.Add(QString::fromLatin1(path));
    }
    EXPECT_EQ(recent.Entries(), QStringList({"/e.Vdr", "/d.Vdr", "/c.Vdr", "/b.Vdr"}));
    recent.Add(QStringLiteral("/c.Vdr"));
    recent.Add(QString());
    EXPECT_EQ(recent.Entries(), QStringList({"/c.Vdr", "/e.Vdr", "/d.Vdr", "/b.Vdr"}));

    profile.reset();
    auto reopened = Open();
    EXPECT_EQ(RecentFileList(*reopened).Entries(), QStringList({"/c.Vdr", "/e.Vdr", "/d.Vdr", "/b.Vdr"}))
        << "the list survives a restart";
}

TEST_F(ProfileTest, PortEntriesOfTheProfileFeedThePortMap) {
    {
        auto profile = Open();
        profile->setValue(QStringLiteral("ports/com2"), QStringLiteral("/dev/ttyS9"));
    }
    ::unsetenv("VELDRIN_COM2");
    const PortSources sources = PortSources::OfProcess(ProfilePortLookup([this] { return Open(); }));
    EXPECT_EQ(DevicePathForPort(2, sources), "/dev/ttyS9");
    EXPECT_EQ(DevicePathForPort(3, sources), "/dev/ttyUSB2");
    ::setenv("VELDRIN_COM2", "/dev/pts/7", 1);
    EXPECT_EQ(DevicePathForPort(2, sources), "/dev/pts/7");
    ::unsetenv("VELDRIN_COM2");
}

}  // namespace
}  // namespace veldrin
