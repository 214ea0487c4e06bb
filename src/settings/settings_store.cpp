#include "settings/settings_store.h"

#include "data/file_io.h"
#include "data/fixed_text.h"
#include "data/user_error.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace korvland {

namespace {

constexpr std::size_t kMaximumValueLength = 2047;
// Far beyond what the program writes (a folder, four placements, four recent files).
constexpr std::size_t kLargestSettingsFile = std::size_t{1} << 20;

std::string trimmed(const std::string& text) {
    return trimmedBlanks(text);
}

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

// One line of the file as it stands, with what it means to the reader.
struct Line {
    enum class Kind { Section, Entry, Other };
    Kind kind = Kind::Other;
    std::string text;     // without its line end
    std::string_view end; // the line end it had: LF, CR LF, a lone CR, or none for a new line
    std::string name;     // section or key name, blanks removed
    std::string value;    // entries: the value as read back
};
// A value is read without the blanks around it and without one pair of matching quotes
// around it; the writer quotes a value that would otherwise read back differently.
std::string unquoted(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string quotedForWriting(const std::string& value) {
    const bool needsQuotes =
        !value.empty() && (isBlank(value.front()) || isBlank(value.back()) || unquoted(value) != value);
    return needsQuotes ? '"' + value + '"' : value;
}

Line parseLine(std::string text) {
    Line line;
    line.text = std::move(text);
    const std::string content = trimmed(line.text);
    if (content.empty() || content.front() == ';' || content.front() == '#')
        return line;
    if (content.front() == '[') {
        const std::size_t close = content.find(']');
        line.kind = Line::Kind::Section;
        line.name = trimmed(content.substr(1, close == std::string::npos ? std::string::npos : close - 1));
        return line;
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string::npos)
        return line;
    line.kind = Line::Kind::Entry;
    line.name = trimmed(content.substr(0, equals));
    line.value = unquoted(trimmed(content.substr(equals + 1)));
    return line;
}

// The file's lines, parsed. Entries before the first section belong to no section and
// are never matched. A line ends at LF, CR LF or a lone CR, and every line keeps the end
// it had, so that a rewrite changes only the lines it means to; new lines take the file's
// first LF or CR LF ending. A UTF-8 byte-order mark at the start is kept and not read.
struct IniText {
    std::vector<Line> lines;
    std::string_view lineEnd = "\n";
    bool byteOrderMark = false;

    static IniText parse(const std::vector<std::uint8_t>& bytes) {
        IniText ini;
        std::size_t i = 0;
        if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
            ini.byteOrderMark = true;
            i = 3;
        }
        std::string current;
        bool sawNewline = false;
        bool sawLoneCr = false;
        for (; i < bytes.size(); ++i) {
            const auto byte = static_cast<char>(bytes[i]);
            if (byte != '\n' && byte != '\r') {
                current.push_back(byte);
                continue;
            }
            std::string_view end = byte == '\n' ? "\n" : "\r";
            if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                end = "\r\n";
                ++i;
            }
            if (end == "\r") {
                sawLoneCr = true;
            } else if (!sawNewline) {
                sawNewline = true;
                ini.lineEnd = end;
            }
            Line line = parseLine(std::move(current));
            line.end = end;
            ini.lines.push_back(std::move(line));
            current.clear();
        }
        if (!sawNewline && sawLoneCr)
            ini.lineEnd = "\r";
        if (!current.empty())
            ini.lines.push_back(parseLine(std::move(current)));
        return ini;
    }

    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> out;
        if (byteOrderMark)
            for (const int byte : {0xEF, 0xBB, 0xBF})
                out.push_back(static_cast<std::uint8_t>(byte));
        for (const Line& line : lines) {
            const std::string_view end = line.end.empty() ? lineEnd : line.end;
            out.insert(out.end(), line.text.begin(), line.text.end());
            out.insert(out.end(), end.begin(), end.end());
        }
        return out;
    }

    // Calls visit(index) for every entry line of every section named `section`, in file
    // order; a visit returning true stops the walk.
    template <typename Visit> void forEachEntry(const std::string& section, Visit visit) const {
        bool inSection = false;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const Line& line = lines[i];
            if (line.kind == Line::Kind::Section)
                inSection = sameName(line.name, section);
            else if (inSection && line.kind == Line::Kind::Entry && visit(i))
                return;
        }
    }

    std::optional<std::size_t> findEntry(const std::string& section, const std::string& key) const {
        std::optional<std::size_t> found;
        forEachEntry(section, [&](std::size_t i) {
            if (!sameName(lines[i].name, key))
                return false;
            found = i;
            return true;
        });
        return found;
    }

    bool removeEntries(const std::string& section, const std::string& key) {
        std::vector<std::size_t> doomed;
        forEachEntry(section, [&](std::size_t i) {
            if (sameName(lines[i].name, key))
                doomed.push_back(i);
            return false;
        });
        for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*it));
        return !doomed.empty();
    }

    // Removes every section of that name with the lines up to the next section.
    bool removeSection(const std::string& section) {
        bool removed = false;
        bool inSection = false;
        std::vector<Line> kept;
        for (Line& line : lines) {
            if (line.kind == Line::Kind::Section)
                inSection = sameName(line.name, section);
            if (inSection)
                removed = true;
            else
                kept.push_back(std::move(line));
        }
        lines = std::move(kept);
        return removed;
    }

    void set(const std::string& section, const std::string& key, const std::string& value) {
        Line entry = parseLine(key + '=' + quotedForWriting(value));
        if (const auto at = findEntry(section, key)) {
            entry.end = lines[*at].end;
            lines[*at] = std::move(entry);
            // Later duplicates of the key would only confuse a reader of the file.
            bool first = true;
            std::vector<std::size_t> doomed;
            forEachEntry(section, [&](std::size_t i) {
                if (sameName(lines[i].name, key)) {
                    if (!first)
                        doomed.push_back(i);
                    first = false;
                }
                return false;
            });
            for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
                lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*it));
            return;
        }
        // A new key goes after the last entry of the first section of that name.
        std::optional<std::size_t> header;
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].kind == Line::Kind::Section && sameName(lines[i].name, section)) {
                header = i;
                break;
            }
        if (!header) {
            lines.push_back(parseLine('[' + section + ']'));
            lines.push_back(std::move(entry));
            return;
        }
        std::size_t insertAt = *header + 1;
        for (std::size_t i = *header + 1; i < lines.size() && lines[i].kind != Line::Kind::Section; ++i)
            if (lines[i].kind == Line::Kind::Entry)
                insertAt = i + 1;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
    }
};

bool hasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// Names that the reader would not find again under the same name.
bool writableSection(const std::string& section) {
    return !hasLineBreak(section) && section.find(']') == std::string::npos && trimmed(section) == section &&
           !section.empty();
}

bool writableKey(const std::string& key) {
    return !hasLineBreak(key) && key.find('=') == std::string::npos && trimmed(key) == key && !key.empty() &&
           key.front() != '[' && key.front() != ';' && key.front() != '#';
}

class DiskFileAccess : public SettingsFileAccess {
  public:
    std::vector<std::uint8_t> read(const std::string& path, std::size_t limit) const override {
        return readWholeFile(path, limit);
    }
    bool missing(const std::string& path) const override {
        return ::access(path.c_str(), F_OK) != 0 && errno == ENOENT;
    }
    std::optional<std::uintmax_t> regularFileSize(const std::string& path) const override {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            return std::nullopt;
        return static_cast<std::uintmax_t>(info.st_size);
    }
    void replace(const std::string& path, const std::vector<std::uint8_t>& bytes) override {
        replaceFileAtomically(path, bytes);
    }
};

// The file's bytes, or nothing when it is larger than any settings file this program
// writes: such a file is not read into memory and never overwritten.
std::optional<std::vector<std::uint8_t>> readWithinLimit(const SettingsFileAccess& files,
                                                         const std::string& path) {
    std::vector<std::uint8_t> bytes = files.read(path, kLargestSettingsFile + 1);
    if (bytes.size() > kLargestSettingsFile)
        return std::nullopt;
    return bytes;
}

UserError unableToWrite(const std::string& path) {
    return UserError(Text(KORVLAND_TRANSLATABLE("korvland::UserError", "Unable to write to %1")), {path});
}

// The file as it stands; a file that cannot be read, or is too large, holds nothing.
IniText load(const SettingsFileAccess& files, const std::string& path) {
    try {
        const auto bytes = readWithinLimit(files, path);
        return bytes ? IniText::parse(*bytes) : IniText{};
    } catch (const UserError&) {
        return {};
    }
}

// The file as it stands, for a change that must not lose what cannot be read; nothing
// when the file is too large, and the change is then left undone (the store's problem()
// tells the user once).
std::optional<IniText> loadForWriting(const SettingsFileAccess& files, const std::string& path) {
    try {
        const auto bytes = readWithinLimit(files, path);
        if (!bytes)
            return std::nullopt;
        return IniText::parse(*bytes);
    } catch (const UserError&) {
        if (files.missing(path))
            return IniText{};
        throw unableToWrite(path);
    }
}

void save(SettingsFileAccess& files, const std::string& path, const IniText& ini) {
    try {
        files.replace(path, ini.bytes());
    } catch (const UserError&) {
        throw unableToWrite(path);
    }
}

// A name or value the file cannot hold: the file itself may well be writable.
[[noreturn]] void refuseUnreadable(const std::string& path) {
    throw UserError(
        Text(KORVLAND_TRANSLATABLE(
            "korvland::UserError",
            "The settings file %1 cannot keep a name or value that would not read back the same")),
        {path});
}

} // namespace

SettingsFileAccess& diskFileAccess() {
    static DiskFileAccess disk;
    return disk;
}

SettingsStore::SettingsStore(std::string filePath, SettingsFileAccess& files)
    : mFilePath(std::move(filePath)), mFiles(&files) {}

std::string SettingsStore::readString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue) const {
    const IniText ini = load(*mFiles, mFilePath);
    const auto at = ini.findEntry(section, key);
    if (!at)
        return defaultValue;
    return ini.lines[*at].value.substr(0, kMaximumValueLength);
}

void SettingsStore::writeString(const std::string& section, const std::string& key,
                                const std::string& value) {
    if (!writableSection(section) || !writableKey(key) || hasLineBreak(value))
        refuseUnreadable(mFilePath);
    std::optional<IniText> ini = loadForWriting(*mFiles, mFilePath);
    if (!ini)
        return;
    ini->set(section, key, value);
    save(*mFiles, mFilePath, *ini);
}

void SettingsStore::deleteKey(const std::string& section, const std::string& key) {
    try {
        std::optional<IniText> ini = loadForWriting(*mFiles, mFilePath);
        if (ini && ini->removeEntries(section, key))
            save(*mFiles, mFilePath, *ini);
    } catch (const UserError&) {
        // A key that stays behind does no harm; the caller goes on.
    }
}

void SettingsStore::eraseSection(const std::string& section) {
    std::optional<IniText> ini = loadForWriting(*mFiles, mFilePath);
    if (ini && ini->removeSection(section))
        save(*mFiles, mFilePath, *ini);
}

std::vector<std::string> SettingsStore::readList(const std::string& section, const std::string& prefix,
                                                 int count) const {
    const IniText ini = load(*mFiles, mFilePath);
    std::vector<std::string> values;
    for (int n = 0; n < count; ++n) {
        const auto at = ini.findEntry(section, prefix + std::to_string(n));
        if (!at || ini.lines[*at].value.empty())
            break;
        values.push_back(ini.lines[*at].value.substr(0, kMaximumValueLength));
    }
    return values;
}

void SettingsStore::writeList(const std::string& section, const std::string& prefix, int max,
                              const std::vector<std::string>& list) {
    const std::size_t count = std::min(list.size(), static_cast<std::size_t>(std::max(max, 0)));
    if (count > 0 && (!writableSection(section) || !writableKey(prefix + "0")))
        refuseUnreadable(mFilePath);
    for (std::size_t n = 0; n < count; ++n)
        if (hasLineBreak(list[n]))
            refuseUnreadable(mFilePath);
    std::optional<IniText> ini = loadForWriting(*mFiles, mFilePath);
    if (!ini)
        return;
    bool changed = ini->removeSection(section);
    for (std::size_t n = 0; n < count; ++n) {
        ini->set(section, prefix + std::to_string(n), list[n]);
        changed = true;
    }
    // The erase and the new entries reach the file in one replacement.
    if (changed)
        save(*mFiles, mFilePath, *ini);
}

std::optional<Message> SettingsStore::problemMessage() const {
    const auto size = mFiles->regularFileSize(mFilePath);
    if (!size || *size <= kLargestSettingsFile)
        return std::nullopt;
    return Message(Text(KORVLAND_TRANSLATABLE(
                       "korvland::UserError",
                       "The settings file %1 is larger than 1 MiB, more than this program ever writes. It is "
                       "left as it is; this run uses the default settings and saves none")),
                   {mFilePath});
}

std::string SettingsStore::problem() const {
    const std::optional<Message> message = problemMessage();
    return message ? message->english() : std::string();
}

std::string defaultSettingsPath() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return "korvland.INI";
    const std::string executable(buffer, static_cast<std::size_t>(length));
    const std::size_t slash = executable.find_last_of('/');
    if (slash == std::string::npos)
        return "korvland.INI";
    return executable.substr(0, slash + 1) + "korvland.INI";
}

} // namespace korvland
