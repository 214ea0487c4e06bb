#pragma once

#include "ui/common/file_names.h"

#include <QString>
#include <QStringList>

namespace korvland {

class SettingsStore;

// The four most recently opened landmark files, most recent first. Paths are the same
// entry when they name the same file: equal, or equal without regard to letter case where
// the file system ignores it; then the stored letter case wins. Saving merges with the list
// as it is in the file then, so that two editors running at once keep each other's files:
// the files opened in this run go on top, in their order, above the stored entries. A name
// with a line break, which the settings file cannot keep, is left out of the saved list.
class RecentFiles {
  public:
    static constexpr int kMaximum = 4;

    explicit RecentFiles(Qt::CaseSensitivity sameFile = fileNameCaseSensitivity()) : mSameFile(sameFile) {}

    const QStringList& entries() const { return mEntries; }
    void add(const QString& path);
    // Takes the entry off the list, also off the stored list the next save merges with.
    void remove(const QString& path);
    void load(const SettingsStore& store); // section "Form2.MRUList", keys H0..H3
    void save(SettingsStore& store) const; // an empty list leaves no section

  private:
    bool sameEntry(const QString& a, const QString& b) const { return a.compare(b, mSameFile) == 0; }
    bool listed(const QStringList& list, const QString& path) const;

    Qt::CaseSensitivity mSameFile;
    QStringList mEntries;
    QStringList mOpenedThisRun; // as the entries spell them
    QStringList mRemovedThisRun;
};

} // namespace korvland
