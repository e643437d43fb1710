#pragma once
// The four most recently opened or saved data files, kept in the profile.
#include <QSettings>
#include <QStringList>

namespace veldrin {

class RecentFileList {
  public:
    static constexpr int kSize = 4;
    // Longest path shown whole in the File menu.
    static constexpr int kMenuPathLength = 30;

    // `profile` must outlive the list.
    explicit RecentFileList(QSettings& profile);

    // Newest first.
    QStringList Entries() const;
    // Puts `path` first, as an absolute path; an entry already in the list moves up, the oldest
    // beyond four drops out.
    void Add(const QString& path);
    // Takes `path` out of the list; the others keep their order.
    void Remove(const QString& path);

  private:
    void Store(const QStringList& entries);

    QSettings& profile_;
};

// `path` shortened to at most `maxLength` characters for a menu: the file name stays whole, the
// folders nearest to it are kept as far as they fit and the rest becomes "/...". A file name that
// does not fit on its own is shown alone.
QString AbbreviatedPath(const QString& path, int maxLength);
// The File menu entry of the recent file at `index` (0 = newest): "&1 /path/name.Vdr".
QString RecentFileMenuText(int index, const QString& path);

}  // namespace veldrin
