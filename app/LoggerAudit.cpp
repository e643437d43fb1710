#include "app/LoggerAudit.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include "app/WindowArchive.h"
#include "archive/HistoryArchiving.h"
#include "archive/LoggerEvents.h"

namespace veldrin {
namespace {

std::string Json(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

LoggerAudit::LoggerAudit(WindowArchive& archive, const LoggerInfo& info, const DeviceConnection& connection,
                         const Link& link, std::function<void(const QString&)> say)
    : archive_(archive), info_(info), connection_(connection), link_(link), say_(std::move(say)) {}

void LoggerAudit::SettingsAsked() {
    asked_ = info_;
}

void LoggerAudit::SettingsTaken(bool taken) {
    before_ = taken ? std::move(asked_) : std::nullopt;
    asked_.reset();
    writeBegun_ = false;
}

void LoggerAudit::StopAsked() {
    Record(archive::EventKind::StopRecording, {});
}

void LoggerAudit::Observe() {
    const bool online = connection_.Online();
    if (online && !online_) {
        const QString device = QString::fromStdString(link_.DevicePath());
        Record(archive::EventKind::Connect, Json({{QStringLiteral("device"), device}}));
        Record(archive::EventKind::Identify,
               Json({{QStringLiteral("device"), device},
                     {QStringLiteral("model"), FromView(Traits(info_.model).shortName)},
                     {QStringLiteral("title"), QString::fromStdString(archive::TrimmedRight(info_.title))}}));
    }
    online_ = online;
    // A write finished earlier still reads Finished until this one begins.
    if (before_ && connection_.SettingsWriteState() != SettingsWrite::Finished)
        writeBegun_ = true;
    if (before_ && writeBegun_ && connection_.SettingsWriteState() == SettingsWrite::Finished) {
        Record(archive::EventKind::SettingsWrite,
               archive::SettingsWriteDetail(archive::SettingsChanges(*before_, info_)));
        Record(archive::EventKind::StartRecording, archive::StartRecordingDetail(info_));
        before_.reset();
    }
}

void LoggerAudit::Record(archive::EventKind kind, const std::string& detail) {
    const QString refused = archive_.Record(kind, detail, archive::TrimmedRight(info_.title));
    if (!refused.isEmpty())
        say_(QCoreApplication::translate("LoggerAudit", "记录未存入档案库：") + refused);
}

}  // namespace veldrin
