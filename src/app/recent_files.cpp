#include "app/recent_files.h"

namespace korvland {

void RecentFiles::add(const QString&) {}
void RecentFiles::load(const SettingsStore&) {}
void RecentFiles::save(SettingsStore&) const {}

} // namespace korvland
