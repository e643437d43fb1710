#include "app/RecentFileList.h"

#include <QFileInfo>

namespace veldrin {
namespace {

QString EntryKey(int index) {
    return QStringLiteral("Recent File List/File%1").arg(index + 1);
}

}  // namespace

RecentFileList::RecentFileList(QSettings& profile) : profile_(profile) {}

QStringList RecentFileList::Entries() const {
    QStringList entries;
    for (int i = 0; i < kSize; ++i) {
        const QString path = profile_.value(EntryKey(i)).toString();
        if (!path.isEmpty() && !entries.contains(path)) {
            entries.append(path);
        }
    }
    return entries;
}

void RecentFileList::Add(const QString& path) {
    if (path.isEmpty()) {
        return;
    }
    // A relative name would point elsewhere once the working folder changes.
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList entries = Entries();
    entries.removeAll(absolute);
    entries.prepend(absolute);
    Store(entries.mid(0, kSize));
}

void RecentFileList::Remove(const QString& path) {
    QStringList entries = Entries();
    if (entries.removeAll(path) > 0) {
        Store(entries);
    }
}

void RecentFileList::Store(const QStringList& entries) {
    for (int i = 0; i < kSize; ++i) {
        if (i < entries.size()) {
            profile_.setValue(EntryKey(i), entries[i]);
        } else {
            profile_.remove(EntryKey(i));
        }
    }
    profile_.sync();
}

QString AbbreviatedPath(const QString& path, int maxLength) {
    if (path.size() <= maxLength) {
        return path;
    }
    const QString elided = QStringLiteral("/...");
    const QStringList parts = path.split(QLatin1Char('/'));
    QString tail = parts.last();
    if (elided.size() + 1 + tail.size() > maxLength) {
        return tail;
    }
    for (qsizetype i = parts.size() - 2; i > 0; --i) {
        const QString longer = parts[i] + QLatin1Char('/') + tail;
        if (elided.size() + 1 + longer.size() > maxLength) {
            break;
        }
        tail = longer;
    }
    return elided + QLatin1Char('/') + tail;
}

QString RecentFileMenuText(int index, const QString& path) {
    // An "&" of the path is shown as itself, not taken as the entry's shortcut letter.
    QString shown = AbbreviatedPath(path, RecentFileList::kMenuPathLength);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

}  // namespace veldrin
