#include "app/RecentFileList.h"

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
    QStringList entries = Entries();
    entries.removeAll(path);
    entries.prepend(path);
    Store(entries.mid(0, kSize));
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

}  // namespace veldrin
