#pragma once

#include "data/user_error.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvland {

// How the store reaches its file. The program uses the file layer's whole-file read and
// safe replacement; a test or a fuzzer may keep the file in memory instead.
class SettingsFileAccess {
  public:
    virtual ~SettingsFileAccess() = default;
    // The file's first `limit` bytes; throws UserError when it cannot be read.
    virtual std::vector<std::uint8_t> read(const std::string& path, std::size_t limit) const = 0;
    // Whether nothing at all is at `path` (a file that cannot be read is not missing).
    virtual bool missing(const std::string& path) const = 0;
    // The size of the regular file at `path`, or nothing when there is none.
    virtual std::optional<std::uintmax_t> regularFileSize(const std::string& path) const = 0;
    // Replaces the file whole; throws UserError on failure, leaving it as it was.
    virtual void replace(const std::string& path, const std::vector<std::uint8_t>& bytes) = 0;
};

// The real files, through the file layer.
SettingsFileAccess& diskFileAccess();

// The INI settings file beside the program. Every operation reads or writes the file at
// once: nothing is cached and the file is never held open. Section and key names match
// without regard to letter case; values read back are cut to 2047 characters. A write
// replaces the file whole (through the file layer's safe replacement); a failure throws
// UserError "Unable to write to <path>" and leaves the file as it was; a name or value with
// a line break, which would not read back, is refused with a message that says so. A file larger than
// 1 MiB is never read into memory nor overwritten: reads give their defaults, writes are
// left undone, and problem() says so, for the program to tell the user once.
class SettingsStore {
  public:
    explicit SettingsStore(std::string filePath, SettingsFileAccess& files = diskFileAccess());

    const std::string& filePath() const { return mFilePath; }

    // Why the settings file cannot be used (it is too large), or nothing when it can.
    std::optional<Message> problemMessage() const;
    // The same in English, or empty.
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
    SettingsFileAccess* mFiles;
};

// "korvland.INI" in the folder of the running executable.
std::string defaultSettingsPath();

} // namespace korvland
