#pragma once

#include <string>
#include <vector>

namespace korvland {

// The INI settings file beside the program. Every operation reads or writes the file at
// once: nothing is cached and the file is never held open. Section and key names match
// without regard to letter case; values read back are cut to 2047 characters. A write
// replaces the file whole (through the file layer's safe replacement); a failure throws
// UserError "Unable to write to <path>" and leaves the file as it was. A file larger than
// 1 MiB is never read into memory nor overwritten: reads give their defaults, writes are
// left undone, and problem() says so, for the program to tell the user once.
class SettingsStore {
public:
    explicit SettingsStore(std::string filePath);

    const std::string& filePath() const { return mFilePath; }

    // Why the settings file cannot be used (it is too large), or empty when it can.
    std::string problem() const;

    std::string readString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    // A missing entry or a failed write is not reported.
    void deleteKey(const std::string& section, const std::string& key);
    void eraseSection(const std::string& section);
    // prefix0, prefix1, ... up to count - 1, stopping at the first missing or empty value.
    std::vector<std::string> readList(const std::string& section, const std::string& prefix, int count) const;
    // eraseSection, then the first min(size, max) entries under prefix0, prefix1, ...
    void writeList(const std::string& section, const std::string& prefix, int max,
                   const std::vector<std::string>& list);

private:
    std::string mFilePath;
};

// "korvland.INI" in the folder of the running executable.
std::string defaultSettingsPath();

} // namespace korvland
