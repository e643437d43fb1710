#include "measure/QtAlarmSound.h"

#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>

namespace veldrin {
namespace {

TEST(QtAlarmSound, ShipsAWaveSoundAndPlaysOnlyWithAnAudioOutput) {
    QtAlarmSound sound;
    QFile resource(QString::fromLatin1(QtAlarmSound::kResourcePath));
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    const QByteArray bytes = resource.readAll();
    ASSERT_GT(bytes.size(), 44);
    EXPECT_EQ(bytes.left(4), QByteArray("RIFF"));
    EXPECT_EQ(bytes.mid(8, 4), QByteArray("WAVE"));

    const int expected = QMediaDevices::defaultAudioOutput().isNull() ? 0 : 1;
    EXPECT_EQ(sound.Play(), expected);
    EXPECT_EQ(sound.Play(), expected);
}

}  // namespace
}  // namespace veldrin
