#include "app/recent_files.h"

#include "app/settings/settings_store.h"

namespace korvland {

namespace {

const std::string kSection = "Form2.MRUList";
const std::string kPrefix = "H";

} // namespace

void RecentFiles::add(const QString& path) {
    if (path.trimmed().isEmpty())
        return;
    for (qsizetype i = 0; i < mEntries.size(); ++i) {
        if (mEntries[i].compare(path, mSameFile) == 0) {
            // The entry keeps the letter case it was stored with.
            mEntries.move(i, 0);
            return;
        }
    }
    mEntries.prepend(path);
    while (mEntries.size() > kMaximum)
        mEntries.removeLast();
}

void RecentFiles::load(const SettingsStore& store) {
    mEntries.clear();
    for (const std::string& entry : store.readList(kSection, kPrefix, kMaximum)) {
        if (mEntries.size() == kMaximum)
            break;
        mEntries << QString::fromStdString(entry);
    }
}

void RecentFiles::save(SettingsStore& store) const {
    std::vector<std::string> list;
    list.reserve(static_cast<std::size_t>(mEntries.size()));
    for (const QString& entry : mEntries)
        list.push_back(entry.toStdString());
    store.writeList(kSection, kPrefix, kMaximum, list);
}

} // namespace korvland
