#include "measure/QtAlarmSound.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

// The resource file is part of a static library: its registration has to be pulled in by hand,
// and only from the global namespace.
static void RegisterSoundResource() {
    Q_INIT_RESOURCE(measure);
}

namespace veldrin {
namespace {

bool HaveAudioOutput() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

}  // namespace

QtAlarmSound::QtAlarmSound() {
    RegisterSoundResource();
    if (!QFile::exists(QString::fromLatin1(kResourcePath)) || !HaveAudioOutput())
        return;
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl(QStringLiteral("qrc:/sound/alarm.wav")));
}

QtAlarmSound::~QtAlarmSound() = default;

int QtAlarmSound::Play() {
    if (!effect_ || effect_->status() == QSoundEffect::Error || !HaveAudioOutput())
        return 0;
    // A sound still running is cut off by the new one.
    effect_->stop();
    effect_->play();
    return 1;
}

}  // namespace veldrin
