#include "app/Profile.h"

#include <utility>

namespace veldrin {

std::unique_ptr<QSettings> OpenProfile() {
    return std::make_unique<QSettings>(QStringLiteral("Veldrin"),
                                       QStringLiteral("应用程序向导生成的本地应用程序"));
}

std::string ProfileArchiveLocation(const QSettings& profile) {
    return profile.value(QStringLiteral("archive/location")).toString().trimmed().toStdString();
}

PortProfileLookup ProfilePortLookup(ProfileOpener open) {
    return [open = std::move(open)](int port) -> std::optional<std::string> {
        const std::unique_ptr<QSettings> profile = open();
        const QString path = profile->value(QStringLiteral("ports/com%1").arg(port)).toString();
        if (path.isEmpty()) {
            return std::nullopt;
        }
        return path.toStdString();
    };
}

}  // namespace veldrin
