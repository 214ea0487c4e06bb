// Whatever the settings file holds, the store reads it without failing, and what it reads
// stays: a value written back reads the same, every other value reads the same after a
// write, a delete or a list write that does not concern it, and a list written back reads
// the same. The input is the settings file; the names probed are a few of the program's
// fixed ones and of those the file itself seems to use, chosen from the input. The file is kept in memory, so
// that the store's reading and writing are what the time goes to (the file layer has its own tests).
#include "data/fixed_text.h"
#include "data/user_error.h"
#include "settings/settings_store.h"

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
using Pair = std::pair<std::string, std::string>;
using Values = std::map<Pair, std::optional<std::string>>;

// Reads every probed pair. A read depends on the file's bytes alone (the store keeps
// nothing between calls), so bytes already read, such as the original ones restored by a
// removal, are not parsed again.
class Reader {
  public:
    Reader(const SettingsStore& store, const MemoryFile& file, std::vector<Pair> pairs)
        : mStore(store), mFile(file), mPairs(std::move(pairs)) {}

    Values readAll() {
        for (const auto& [bytes, values] : mSeen)
            if (bytes == mFile.bytes)
                return values;
        Values values;
        for (const Pair& pair : mPairs) {
            // No value read holds a line feed: that default marks a missing entry.
            std::string value = mStore.readString(pair.first, pair.second, "\n");
            if (value == "\n")
                values[pair] = std::nullopt;
            else
                values[pair] = std::move(value);
        }
        mSeen.emplace_back(mFile.bytes, values);
        return values;
    }

  private:
    const SettingsStore& mStore;
    const MemoryFile& mFile;
    std::vector<Pair> mPairs;
    std::vector<std::pair<std::vector<std::uint8_t>, Values>> mSeen;
};

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

// Which names an input probes: a pure function of the input, so that a failure replays.
class Choices {
  public:
    Choices(const std::uint8_t* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i)
            mState = (mState ^ data[i]) * 0x100000001b3u;
    }
    std::size_t below(std::size_t count) {
        mState = mState * 6364136223846793005u + 1442695040888963407u;
        return count == 0 ? 0 : static_cast<std::size_t>(mState >> 33) % count;
    }
    // `most` names of `names`, distinct, in an order of the input's choosing.
    std::vector<std::string> some(std::vector<std::string> names, std::size_t most) {
        std::vector<std::string> chosen;
        while (!names.empty() && chosen.size() < most) {
            const std::size_t at = below(names.size());
            chosen.push_back(names[at]);
            names.erase(names.begin() + static_cast<std::ptrdiff_t>(at));
        }
        return chosen;
    }

  private:
    std::uint64_t mState = 0xcbf29ce484222325u;
};

// Each check re-reads every probed pair, and each read parses the whole file: the probes are
// kept to a few sections and keys, chosen anew for every input, so that the fuzzer spends its
// time on many files rather than on many reads of one.
constexpr std::size_t kProbedSections = 2;
constexpr std::size_t kProbedKeys = 3;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    MemoryFile file;
    file.bytes.assign(data, data + size);
    std::vector<std::string> allSections;
    std::vector<std::string> allKeys;
    namesOf(text, allSections, allKeys);
    Choices choose(data, size);
    const std::vector<std::string> sections = choose.some(allSections, kProbedSections);
    const std::vector<std::string> keys = choose.some(allKeys, kProbedKeys);
    std::vector<Pair> pairs;
    for (const std::string& section : sections)
        for (const std::string& key : keys)
            pairs.emplace_back(section, key);

    SettingsStore store(kPath, file);
    Reader reader(store, file, std::move(pairs));
    const Values original = reader.readAll();
    std::vector<Pair> present;
    for (const auto& [pair, value] : original) {
        if (value && value->size() > 2047)
            fail("value longer than 2047", pair.first, pair.second);
        if (value)
            present.push_back(pair);
    }

    // A value written back reads the same, and so does everything else afterwards.
    if (!present.empty()) {
        const Pair& pair = present[choose.below(present.size())];
        const std::string& value = *original.at(pair);
        store.writeString(pair.first, pair.second, value);
        if (store.readString(pair.first, pair.second, "\n") != value)
            fail("a value written back reads differently", pair.first, pair.second);
        if (reader.readAll() != original)
            fail("writing a value back changed a value", pair.first, pair.second);
    }

    // Then one change of the input's choosing, in one of the probed sections.
    if (sections.empty())
        return 0;
    const std::string& section = sections[choose.below(sections.size())];
    if (choose.below(2) == 0) {
        // An unrelated change: a new key, then its removal.
        const std::string key = "fuzz-probe-key";
        const bool keyInUse = std::any_of(allKeys.begin(), allKeys.end(),
                                          [&key](const std::string& known) { return folded(known) == key; });
        if (keyInUse)
            return 0;
        store.writeString(section, key, "probe value");
        if (store.readString(section, key, "") != "probe value")
            fail("new key not read back", section, key);
        expectUnchanged(original, reader.readAll(), section, key, "a new key changed another value");
        store.deleteKey(section, key);
        if (reader.readAll() != original)
            fail("deleting a new key changed a value", section, key);
    } else {
        // A list read and written back reads the same; other sections are not concerned.
        const std::vector<std::string> list = store.readList(section, "H", 4);
        store.writeList(section, "H", 4, list);
        if (store.readList(section, "H", 4) != list)
            fail("list not read back", section, "H");
        expectUnchanged(original, reader.readAll(), section, std::nullopt,
                        "a list write changed another section");
    }
    return 0;
}
