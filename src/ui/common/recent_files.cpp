#include "ui/common/recent_files.h"

#include "settings/settings_store.h"

#include <algorithm>

namespace korvland {

namespace {

const std::string kSection = "Form2.MRUList";
const std::string kPrefix = "H";

} // namespace

bool RecentFiles::listed(const QStringList& list, const QString& path) const {
    return std::any_of(list.begin(), list.end(),
                       [&](const QString& entry) { return sameEntry(entry, path); });
}

void RecentFiles::add(const QString& path) {
    if (path.trimmed().isEmpty())
        return;
    for (qsizetype i = 0; i < mEntries.size(); ++i) {
        if (sameEntry(mEntries[i], path)) {
            // The entry keeps the letter case it was stored with.
            mEntries.move(i, 0);
            if (!listed(mOpenedThisRun, mEntries.front()))
                mOpenedThisRun << mEntries.front();
            return;
        }
    }
    mEntries.prepend(path);
    mOpenedThisRun << path;
    mRemovedThisRun.removeIf([&](const QString& removed) { return sameEntry(removed, path); });
    while (mEntries.size() > kMaximum)
        mEntries.removeLast();
}

void RecentFiles::remove(const QString& path) {
    mEntries.removeIf([&](const QString& entry) { return sameEntry(entry, path); });
    mOpenedThisRun.removeIf([&](const QString& entry) { return sameEntry(entry, path); });
    if (!listed(mRemovedThisRun, path))
        mRemovedThisRun << path;
}

void RecentFiles::load(const SettingsStore& store) {
    mEntries.clear();
    mOpenedThisRun.clear();
    mRemovedThisRun.clear();
    for (const std::string& entry : store.readList(kSection, kPrefix, kMaximum)) {
        if (mEntries.size() == kMaximum)
            break;
        mEntries << QString::fromStdString(entry);
    }
}

void RecentFiles::save(SettingsStore& store) const {
    QStringList merged;
    for (const QString& entry : mEntries)
        if (listed(mOpenedThisRun, entry))
            merged << entry;
    for (const std::string& stored : store.readList(kSection, kPrefix, kMaximum)) {
        const QString entry = QString::fromStdString(stored);
        if (!listed(merged, entry) && !listed(mRemovedThisRun, entry))
            merged << entry;
    }
    std::vector<std::string> list;
    for (const QString& entry : std::as_const(merged)) {
        const bool keepable = !entry.contains(QLatin1Char('\n')) && !entry.contains(QLatin1Char('\r'));
        if (keepable && list.size() < static_cast<std::size_t>(kMaximum))
            list.push_back(entry.toStdString());
    }
    store.writeList(kSection, kPrefix, kMaximum, list);
}

} // namespace korvland
