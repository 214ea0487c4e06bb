#include "data/user_error.h"
#include "settings/settings_store.h"
#include "support/fixture_builder.h"
#include "support/unprivileged.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace korvland {
namespace {

using testing::TempDir;

std::string textOf(const std::string& path) {
    const auto bytes = testing::readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void writeText(const std::string& path, const std::string& text) {
    testing::writeBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::size_t filesIn(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

class SettingsStoreTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string path = dir.file("korvland.INI");
    SettingsStore store{path};
};

TEST_F(SettingsStoreTest, MissingFileReadsDefaultsAndFirstWriteCreatesIt) {
    EXPECT_EQ(store.readString("settings", "startdir", "dflt"), "dflt");
    EXPECT_TRUE(store.readList("Form2.MRUList", "H", 4).empty());
    store.deleteKey("settings", "startdir");
    store.eraseSection("settings");
    store.writeList("Form2.MRUList", "H", 4, {});
    EXPECT_FALSE(std::filesystem::exists(path)) << "nothing to change must not create the file";

    store.writeString("settings", "startdir", "/home/op/Land");
    EXPECT_EQ(textOf(path), "[settings]\nstartdir=/home/op/Land\n");
    EXPECT_EQ(store.readString("settings", "startdir", ""), "/home/op/Land");
}

TEST_F(SettingsStoreTest, NamesMatchWithoutRegardToLetterCase) {
    writeText(path, "[SETTINGS]\nStartDir=/games/land\n");
    EXPECT_EQ(store.readString("settings", "startdir", "x"), "/games/land");
    EXPECT_EQ(store.readString("Settings", "STARTDIR", "x"), "/games/land");

    // A write under other letter case replaces the entry in place instead of adding one.
    store.writeString("settings", "startdir", "/other");
    EXPECT_EQ(textOf(path), "[SETTINGS]\nstartdir=/other\n");
    store.deleteKey("SeTtInGs", "STARTdir");
    EXPECT_EQ(store.readString("settings", "startdir", "gone"), "gone");
    store.eraseSection("settINGS");
    EXPECT_EQ(textOf(path), "");
}

TEST_F(SettingsStoreTest, ValuesReadBackCutTo2047Characters) {
    for (const std::size_t length : {2046u, 2047u, 2048u, 5000u}) {
        const std::string value(length, 'v');
        store.writeString("settings", "long", value);
        EXPECT_EQ(store.readString("settings", "long", "").size(), std::min<std::size_t>(length, 2047))
            << length;
        store.writeList("L", "H", 1, {value});
        ASSERT_EQ(store.readList("L", "H", 1).size(), 1u);
        EXPECT_EQ(store.readList("L", "H", 1)[0].size(), std::min<std::size_t>(length, 2047)) << length;
    }
    // The file itself keeps the whole value.
    EXPECT_NE(textOf(path).find(std::string(5000, 'v')), std::string::npos);
}

TEST_F(SettingsStoreTest, HandWrittenFileIsRead) {
    writeText(path, "; written by hand\r\n"
                    "stray=before any section\r\n"
                    "\r\n"
                    "  [ Common ]  \r\n"
                    "# another comment\r\n"
                    "  Form2   =   200,0,1,742,181,1210,507   \r\n"
                    "Form3=\r\n"
                    "quoted = \" padded \"\r\n"
                    "[form2.mrulist]\r\n"
                    "h0 = /a/lndmrks0.dat\r\n"
                    "H1=/b/lndmrks1.dat\r\n"
                    "H1=/shadowed\r\n"
                    "[settings]\r\n"
                    "startdir=/no/newline/at/end");
    EXPECT_EQ(store.readString("common", "form2", ""), "200,0,1,742,181,1210,507");
    EXPECT_EQ(store.readString("Common", "Form3", "dflt"), "") << "an empty value is a value";
    EXPECT_EQ(store.readString("Common", "quoted", ""), " padded ");
    EXPECT_EQ(store.readString("Common", "# another comment", "none"), "none");
    EXPECT_EQ(store.readString("Common", "stray", "none"), "none");
    EXPECT_EQ(store.readList("Form2.MRUList", "H", 4),
              (std::vector<std::string>{"/a/lndmrks0.dat", "/b/lndmrks1.dat"}));
    EXPECT_EQ(store.readString("settings", "startdir", ""), "/no/newline/at/end");

    // A write keeps everything else, its order and the file's line ends.
    store.writeString("Common", "Form5", "200,0,1,1,2,3,4");
    EXPECT_EQ(textOf(path), "; written by hand\r\n"
                            "stray=before any section\r\n"
                            "\r\n"
                            "  [ Common ]  \r\n"
                            "# another comment\r\n"
                            "  Form2   =   200,0,1,742,181,1210,507   \r\n"
                            "Form3=\r\n"
                            "quoted = \" padded \"\r\n"
                            "Form5=200,0,1,1,2,3,4\r\n"
                            "[form2.mrulist]\r\n"
                            "h0 = /a/lndmrks0.dat\r\n"
                            "H1=/b/lndmrks1.dat\r\n"
                            "H1=/shadowed\r\n"
                            "[settings]\r\n"
                            "startdir=/no/newline/at/end\r\n");
}

// Every kind of line end: a value read and written back reads the same, and so does every
// other value after an unrelated write; the recent-files list saves whatever it read.
TEST_F(SettingsStoreTest, ValuesSurviveAWriteBackWhateverTheLineEnds) {
    const std::string files[] = {
        "[s]\nk=v\nother=o\n",
        "[s]\r\nk=v\r\nother=o\r\n",
        "[s]\nother=o\nk=v\r",
        "[s]\r\r\nk=v\r\r\nother=o\r\r\n",
        "\xEF\xBB\xBF[s]\nk=v\nother=o",
        "[s]\rk=v\rother=o\r",
        "[Form2.MRUList]\r\r\nH0=/a.dat\r\r\nH1=/b.dat\r\r\n[s]\r\r\nk=v\r\r\nother=o\r\r\n",
    };
    for (const std::string& text : files) {
        writeText(path, text);
        const std::string value = store.readString("s", "k", "dflt");
        EXPECT_EQ(value, "v") << text;
        store.writeString("s", "k", value);
        EXPECT_EQ(store.readString("s", "k", "dflt"), "v") << text;
        store.writeString("s", "new", "n");
        EXPECT_EQ(store.readString("s", "k", "dflt"), "v") << text;
        EXPECT_EQ(store.readString("s", "other", "dflt"), "o") << text;
        const auto recent = store.readList("Form2.MRUList", "H", 4);
        EXPECT_NO_THROW(store.writeList("Form2.MRUList", "H", 4, recent)) << text;
        EXPECT_EQ(store.readList("Form2.MRUList", "H", 4), recent) << text;
    }
    // Lines the store did not change keep their own ends, and so does the mark.
    writeText(path, "\xEF\xBB\xBF[s]\r\nk=v\r\r\nkeep=me\r");
    store.writeString("s", "k", "w");
    EXPECT_EQ(textOf(path), "\xEF\xBB\xBF[s]\r\nk=w\r\r\nkeep=me\r");
}

// A file larger than any the program writes is not read, and never overwritten.
TEST_F(SettingsStoreTest, AHugeFileGivesDefaultsAndIsLeftAsItIs) {
    EXPECT_EQ(store.problem(), "");
    std::string text = "[settings]\nstartdir=/kept\n";
    text += "[junk]\n" + std::string(std::size_t{1} << 20, 'x') + "\n";
    writeText(path, text);
    EXPECT_EQ(store.problem(),
              "The settings file " + path +
                  " is larger than 1 MiB, more than this program ever writes. It is left as it "
                  "is; this run uses the default settings and saves none");
    EXPECT_EQ(store.readString("settings", "startdir", "dflt"), "dflt");
    EXPECT_TRUE(store.readList("settings", "startdir", 4).empty());
    EXPECT_NO_THROW(store.writeString("settings", "startdir", "/new"));
    EXPECT_NO_THROW(store.writeList("Form2.MRUList", "H", 4, {"/a"}));
    EXPECT_NO_THROW(store.eraseSection("junk"));
    store.deleteKey("settings", "startdir");
    EXPECT_EQ(textOf(path), text);
}

TEST_F(SettingsStoreTest, AWriteThroughALinkReplacesTheRealFile) {
    writeText(dir.file("real.ini"), "[settings]\nstartdir=/old\n");
    std::filesystem::create_symlink("real.ini", path);
    store.writeString("settings", "startdir", "/new");
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(textOf(dir.file("real.ini")), "[settings]\nstartdir=/new\n");
}

// The user may not write the file, though the folder would let a new file take its place.
TEST(SettingsStoreFailure, AWriteProtectedFileIsNotReplaced) {
    TempDir dir;
    const std::filesystem::path folder = dir.path() / "home";
    std::filesystem::create_directory(folder);
    testing::giveToUnprivilegedUser(folder);
    const std::string path = (folder / "korvland.INI").string();
    writeText(path, "[settings]\nstartdir=/old\n");
    testing::giveToUnprivilegedUser(path);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const std::string result = testing::runUnprivileged([&] {
        SettingsStore store(path);
        try {
            store.writeString("settings", "startdir", "/new");
        } catch (const UserError& error) {
            return std::string(error.what());
        }
        return std::string("written");
    });
    EXPECT_EQ(result, "Unable to write to " + path);
    EXPECT_EQ(textOf(path), "[settings]\nstartdir=/old\n");
    EXPECT_EQ(filesIn(folder), 1u);
}

TEST_F(SettingsStoreTest, WhatIsWrittenReadsBack) {
    const std::string values[] = {"",          "plain",           " leading",
                                  "trailing ", "\"quoted\"",      "'single'",
                                  "a=b;c#d",   "[not a section]", "\xe4\xf6\xfc Windows-1252"};
    int n = 0;
    for (const std::string& value : values) {
        std::string key = "k";
        key += std::to_string(n++); // not "k" + ...: GCC 12 at -O3 warns falsely (-Wrestrict)
        store.writeString("s", key, value);
        EXPECT_EQ(store.readString("s", key, "dflt"), value) << value;
    }
    // Replacing a value keeps one entry.
    store.writeString("s", "k1", "again");
    EXPECT_EQ(store.readString("s", "k1", ""), "again");
    EXPECT_EQ(textOf(path).find("plain"), std::string::npos);
}

TEST_F(SettingsStoreTest, ReadListStopsAtFirstMissingOrEmptyValue) {
    struct Case {
        const char* file;
        int count;
        std::vector<std::string> expected;
    } const cases[] = {
        {"[M]\nH1=b\nH2=c\n", 4, {}},                                     // no H0
        {"[M]\nH0=a\nH2=c\n", 4, {"a"}},                                  // gap at H1
        {"[M]\nH0=a\nH1=\nH2=c\n", 4, {"a"}},                             // empty H1
        {"[M]\nH0=a\nH1=b\nH2=c\nH3=d\nH4=e\n", 4, {"a", "b", "c", "d"}}, // count bounds it
        {"[M]\nH0=a\n", 0, {}},
        {"[M]\nH2=c\nH0=a\nH1=b\n", 3, {"a", "b", "c"}}, // file order does not matter
    };
    for (const Case& c : cases) {
        writeText(path, c.file);
        EXPECT_EQ(store.readList("m", "h", c.count), c.expected) << c.file;
    }
}

TEST_F(SettingsStoreTest, WriteListReplacesTheSectionWithAtMostMaxEntries) {
    writeText(path, "[settings]\nstartdir=/x\n[Form2.MRUList]\nH0=old0\nH1=old1\nH2=old2\nH3=old3\nother=1\n"
                    "[Common]\nForm2=200\n");
    store.writeList("Form2.MRUList", "H", 4, {"e", "d", "c", "b", "a"});
    EXPECT_EQ(textOf(path),
              "[settings]\nstartdir=/x\n[Common]\nForm2=200\n[Form2.MRUList]\nH0=e\nH1=d\nH2=c\nH3=b\n");

    store.writeList("Form2.MRUList", "H", 4, {"only"});
    EXPECT_EQ(store.readList("Form2.MRUList", "H", 4), std::vector<std::string>{"only"});
    EXPECT_EQ(store.readString("Form2.MRUList", "H1", "gone"), "gone");

    // An empty list leaves no section of that name.
    store.writeList("form2.mrulist", "H", 4, {});
    EXPECT_EQ(textOf(path), "[settings]\nstartdir=/x\n[Common]\nForm2=200\n");
}

TEST_F(SettingsStoreTest, EraseSectionRemovesEverySectionOfThatName) {
    writeText(path, "[A]\nk=1\n[B]\nk=2\n[a]\nj=3\n");
    store.eraseSection("A");
    EXPECT_EQ(textOf(path), "[B]\nk=2\n");
}

// Root ignores permission bits, so the unwritable places are ones no one can write to:
// a folder that does not exist, and a "folder" that is a regular file.
TEST(SettingsStoreFailure, WriteToUnwritablePlaceReportsPathAndChangesNothing) {
    TempDir dir;
    writeText(dir.file("plain"), "not a folder");
    for (const std::string& path : {dir.file("missing/korvland.INI"), dir.file("plain/korvland.INI")}) {
        SettingsStore store(path);
        const std::string expected = "Unable to write to " + path;
        try {
            store.writeString("settings", "startdir", "/x");
            ADD_FAILURE() << "writeString did not fail for " << path;
        } catch (const UserError& error) {
            EXPECT_EQ(error.what(), expected);
        }
        try {
            store.writeList("Form2.MRUList", "H", 4, {"a"});
            ADD_FAILURE() << "writeList did not fail for " << path;
        } catch (const UserError& error) {
            EXPECT_EQ(error.what(), expected);
        }
        EXPECT_NO_THROW(store.deleteKey("settings", "startdir"));
        EXPECT_EQ(store.readString("settings", "startdir", "dflt"), "dflt");
    }
    EXPECT_EQ(textOf(dir.file("plain")), "not a folder");
    EXPECT_EQ(filesIn(dir.path()), 1u);
}

TEST(SettingsStoreFailure, SettingsPathThatIsAFolderIsLeftAlone) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("korvland.INI"));
    SettingsStore store(dir.file("korvland.INI"));
    EXPECT_THROW(store.writeString("settings", "startdir", "/x"), UserError);
    EXPECT_THROW(store.eraseSection("settings"), UserError);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("korvland.INI")));
}

TEST(SettingsStoreFailure, NamesAndValuesThatWouldNotReadBackAreRefused) {
    TempDir dir;
    const std::string path = dir.file("korvland.INI");
    writeText(path, "[settings]\nstartdir=/kept\n");
    SettingsStore store(path);
    EXPECT_THROW(store.writeString("settings", "startdir", "/a\nb=c"), UserError);
    EXPECT_THROW(store.writeString("set]tings", "startdir", "/a"), UserError);
    EXPECT_THROW(store.writeString("settings", "start=dir", "/a"), UserError);
    EXPECT_THROW(store.writeList("M", "H", 4, {"a", "b\r\n[evil]"}), UserError);
    EXPECT_EQ(textOf(path), "[settings]\nstartdir=/kept\n");
    // The file itself is writable: the message does not say otherwise.
    try {
        store.writeString("settings", "startdir", "/a\nb");
        ADD_FAILURE() << "a value with a line break was taken";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "The settings file " + path +
                      " cannot keep a name or value that would not read back the same");
    }
}

// The store reaches its file only through the access it is given: a file kept in memory
// is read, replaced whole and reported as unwritable like a real one.
class MemoryFile : public SettingsFileAccess {
  public:
    std::optional<std::vector<std::uint8_t>> bytes;
    bool writable = true;

    std::vector<std::uint8_t> read(const std::string&, std::size_t limit) const override {
        if (!bytes)
            throw UserError("File not found");
        return {bytes->begin(), bytes->begin() + static_cast<std::ptrdiff_t>(std::min(limit, bytes->size()))};
    }
    bool missing(const std::string&) const override { return !bytes; }
    std::optional<std::uintmax_t> regularFileSize(const std::string&) const override {
        return bytes ? std::optional<std::uintmax_t>(bytes->size()) : std::nullopt;
    }
    void replace(const std::string&, const std::vector<std::uint8_t>& replacement) override {
        if (!writable)
            throw UserError("Disk full");
        bytes = replacement;
    }
};

TEST(SettingsStoreAccess, AFileInMemoryIsUsedLikeTheRealOne) {
    MemoryFile file;
    SettingsStore store("/memory/korvland.INI", file);
    EXPECT_EQ(store.readString("settings", "startdir", "none"), "none");
    store.writeString("settings", "startdir", "/land");
    store.writeList("Form2.MRUList", "H", 4, {"/a.dat", "/b.dat"});
    ASSERT_TRUE(file.bytes.has_value());
    EXPECT_EQ(std::string(file.bytes->begin(), file.bytes->end()),
              "[settings]\nstartdir=/land\n[Form2.MRUList]\nH0=/a.dat\nH1=/b.dat\n");
    file.writable = false;
    EXPECT_THROW(
        {
            try {
                store.writeString("settings", "startdir", "/other");
            } catch (const UserError& error) {
                EXPECT_STREQ(error.what(), "Unable to write to /memory/korvland.INI");
                throw;
            }
        },
        UserError);
    EXPECT_EQ(store.readString("settings", "startdir", ""), "/land");
    file.bytes->assign((std::size_t{1} << 20) + 1, 'x');
    EXPECT_FALSE(store.problem().empty()) << "an oversized file in memory is reported too";
    EXPECT_FALSE(std::filesystem::exists("/memory"));
}

TEST(SettingsStoreFailure, NothingIsCachedBetweenOperations) {
    TempDir dir;
    const std::string path = dir.file("korvland.INI");
    SettingsStore first(path);
    SettingsStore second(path);
    first.writeString("settings", "startdir", "/one");
    EXPECT_EQ(second.readString("settings", "startdir", ""), "/one");
    writeText(path, "[settings]\nstartdir=/by hand\n");
    EXPECT_EQ(first.readString("settings", "startdir", ""), "/by hand");
    second.writeString("Common", "Form2", "200");
    EXPECT_EQ(first.readString("settings", "startdir", ""), "/by hand");
    EXPECT_EQ(first.readString("common", "form2", ""), "200");
}

TEST(SettingsPath, IsBesideTheRunningProgram) {
    const std::filesystem::path path = defaultSettingsPath();
    EXPECT_EQ(path.filename(), "korvland.INI");
    EXPECT_EQ(path.parent_path(), std::filesystem::canonical("/proc/self/exe").parent_path());
}

} // namespace
} // namespace korvland
