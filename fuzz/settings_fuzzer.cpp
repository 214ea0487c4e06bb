// Whatever the settings file holds, the store reads it without failing, and what it reads
// stays: a value written back reads the same, every other value reads the same after a
// write, a delete or a list write that does not concern it, and a list written back reads
// the same. The input is the settings file; the names probed are the fixed ones of the
// program and those the file itself seems to use. The file is kept in memory, so that the
// store's reading and writing are what the time goes to (the file layer has its own tests).
#include "app/settings/settings_store.h"
#include "data/fixed_text.h"
#include "data/user_error.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace korvland;

const std::string kPath = "/memory/korvland.INI";

// One settings file in memory, replaced whole as the real one is.
class MemoryFile : public SettingsFileAccess {
  public:
    std::vector<std::uint8_t> bytes;

    std::vector<std::uint8_t> read(const std::string&, std::size_t limit) const override {
        return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(limit, bytes.size()))};
    }
    bool missing(const std::string&) const override { return false; }
    std::optional<std::uintmax_t> regularFileSize(const std::string&) const override { return bytes.size(); }
    void replace(const std::string&, const std::vector<std::uint8_t>& replacement) override {
        bytes = replacement;
    }
};

[[noreturn]] void fail(const char* what, const std::string& section, const std::string& key) {
    std::fprintf(stderr, "%s: [%s] %s\n", what, section.c_str(), key.c_str());
    std::abort();
}

std::string trimmed(const std::string& text) {
    return trimmedBlanks(text);
}

std::string folded(const std::string& name) {
    return asciiLowerCased(name);
}

void addName(std::vector<std::string>& names, const std::string& name, std::size_t most) {
    if (names.size() >= most || name.empty() || trimmed(name) != name)
        return;
    for (const std::string& known : names)
        if (folded(known) == folded(name))
            return;
    names.push_back(name);
}

// Sections and keys as the file's lines suggest them, besides the program's own.
void namesOf(const std::string& text, std::vector<std::string>& sections, std::vector<std::string>& keys) {
    for (const char* s : {"settings", "Common", "Form2.MRUList"})
        addName(sections, s, 6);
    for (const char* k : {"startdir", "Form2", "H0", "H1"})
        addName(keys, k, 8);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = trimmed(text.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line.front() == '[') {
            const std::string name = trimmed(
                line.substr(1, line.find(']') == std::string::npos ? std::string::npos : line.find(']') - 1));
            if (name.find(']') == std::string::npos)
                addName(sections, name, 6);
        } else if (const std::size_t equals = line.find('='); equals != std::string::npos) {
            const std::string name = trimmed(line.substr(0, equals));
            if (!name.empty() && name.front() != '[' && name.front() != ';' && name.front() != '#')
                addName(keys, name, 8);
        }
    }
}

// The value of every probed pair, or nothing where the store has none.
using Values = std::map<std::pair<std::string, std::string>, std::optional<std::string>>;

Values readAll(const SettingsStore& store, const std::vector<std::string>& sections,
               const std::vector<std::string>& keys) {
    Values values;
    for (const std::string& section : sections)
        for (const std::string& key : keys) {
            // No value read holds a line feed: that default marks a missing entry.
            std::string value = store.readString(section, key, "\n");
            if (value == "\n")
                values[{section, key}] = std::nullopt;
            else
                values[{section, key}] = std::move(value);
        }
    return values;
}

// Every pair except those of `section` (and of `key` in it, when given) reads as before.
void expectUnchanged(const Values& before, const Values& after, const std::string& section,
                     const std::optional<std::string>& key, const char* what) {
    for (const auto& [pair, value] : before) {
        const bool concerned =
            folded(pair.first) == folded(section) && (!key || folded(pair.second) == folded(*key));
        if (!concerned && after.at(pair) != value)
            fail(what, pair.first, pair.second);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    MemoryFile file;
    file.bytes.assign(data, data + size);
    std::vector<std::string> sections;
    std::vector<std::string> keys;
    namesOf(text, sections, keys);
    SettingsStore store(kPath, file);
    const Values original = readAll(store, sections, keys);
    for (const auto& [pair, value] : original)
        if (value && value->size() > 2047)
            fail("value longer than 2047", pair.first, pair.second);

    // Each value written back reads the same, and so does everything else afterwards.
    for (const auto& [pair, value] : original) {
        if (!value)
            continue;
        store.writeString(pair.first, pair.second, *value);
        if (store.readString(pair.first, pair.second, "\n") != *value)
            fail("a value written back reads differently", pair.first, pair.second);
    }
    if (readAll(store, sections, keys) != original)
        fail("writing values back changed a value", "", "");

    // Unrelated changes: a new key in each section, then its removal.
    const std::string key = "fuzz-probe-key";
    for (const std::string& known : keys)
        if (folded(known) == key)
            return 0;
    for (const std::string& section : sections) {
        store.writeString(section, key, "probe value");
        if (store.readString(section, key, "") != "probe value")
            fail("new key not read back", section, key);
        expectUnchanged(original, readAll(store, sections, keys), section, key,
                        "a new key changed another value");
        store.deleteKey(section, key);
        if (readAll(store, sections, keys) != original)
            fail("deleting a new key changed a value", section, key);
    }

    // A list read and written back reads the same; other sections are not concerned.
    for (const std::string& section : sections) {
        const Values before = readAll(store, sections, keys);
        const std::vector<std::string> list = store.readList(section, "H", 4);
        store.writeList(section, "H", 4, list);
        if (store.readList(section, "H", 4) != list)
            fail("list not read back", section, "H");
        expectUnchanged(before, readAll(store, sections, keys), section, std::nullopt,
                        "a list write changed another section");
    }
    return 0;
}
