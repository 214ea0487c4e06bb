#include "app/settings/settings_store.h"

namespace korvland {

SettingsStore::SettingsStore(std::string filePath) : mFilePath(std::move(filePath)) {}

std::string SettingsStore::readString(const std::string&, const std::string&, const std::string& defaultValue) const {
    return defaultValue;
}
void SettingsStore::writeString(const std::string&, const std::string&, const std::string&) {}
void SettingsStore::deleteKey(const std::string&, const std::string&) {}
void SettingsStore::eraseSection(const std::string&) {}
std::vector<std::string> SettingsStore::readList(const std::string&, const std::string&, int) const { return {}; }
void SettingsStore::writeList(const std::string&, const std::string&, int, const std::vector<std::string>&) {}

std::string defaultSettingsPath() { return "korvland.INI"; }

} // namespace korvland
