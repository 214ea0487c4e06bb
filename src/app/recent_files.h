#pragma once

#include "app/file_names.h"

#include <QString>
#include <QStringList>

namespace korvland {

class SettingsStore;

// The four most recently opened landmark files, most recent first. Paths are the same
// entry when they name the same file: equal, or equal without regard to letter case where
// the file system ignores it; then the stored letter case wins.
class RecentFiles {
  public:
    static constexpr int kMaximum = 4;

    explicit RecentFiles(Qt::CaseSensitivity sameFile = fileNameCaseSensitivity()) : mSameFile(sameFile) {}

    const QStringList& entries() const { return mEntries; }
    void add(const QString& path);
    void load(const SettingsStore& store); // section "Form2.MRUList", keys H0..H3
    void save(SettingsStore& store) const; // an empty list leaves no section

  private:
    Qt::CaseSensitivity mSameFile;
    QStringList mEntries;
};

} // namespace korvland
