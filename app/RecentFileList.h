#pragma once
// The four most recently opened or saved data files, kept in the profile.
#include <QSettings>
#include <QStringList>

namespace veldrin {

class RecentFileList {
public:
    static constexpr int kSize = 4;

    // `profile` must outlive the list.
    explicit RecentFileList(QSettings& profile);

    // Newest first.
    QStringList Entries() const;
    // Puts `path` first; an entry already in the list moves up, the oldest beyond four drops out.
    void Add(const QString& path);

private:
    void Store(const QStringList& entries);

    QSettings& profile_;
};

}  // namespace veldrin
