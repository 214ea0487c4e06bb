#include "data/file_identity.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/stat.h>

namespace korvland {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

namespace fs = std::filesystem;

TEST(SameFile, FollowsLinksAndTellsEqualContentsApart) {
    TempDir dir;
    writeBytes(dir.path() / "a.dat", {1, 2, 3});
    writeBytes(dir.path() / "copy.dat", {1, 2, 3});
    fs::create_symlink(dir.path() / "a.dat", dir.path() / "symlink.dat");
    fs::create_hard_link(dir.path() / "a.dat", dir.path() / "hardlink.dat");
    fs::create_directory(dir.path() / "sub");
    const std::string a = dir.file("a.dat");
    const struct {
        std::string other;
        bool same;
    } cases[] = {
        {a, true},
        {dir.file("symlink.dat"), true},
        {dir.file("hardlink.dat"), true},
        {dir.file("sub/../a.dat"), true},
        {dir.file("copy.dat"), false},
        {dir.file("missing.dat"), false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sameFile(a, c.other), c.same) << c.other;
    EXPECT_FALSE(sameFile(dir.file("missing.dat"), dir.file("missing.dat")));
}

// What another program may do to the file the editor read, and whether the editor must ask
// before it replaces it.
struct Meddling {
    const char* name;
    std::function<void(const fs::path& file)> act;
    bool changed;
};

void setModified(const fs::path& file, std::time_t seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
}

const Meddling kMeddlings[] = {
    {"Nothing", [](const fs::path&) {}, false},
    {"TouchedOnly", [](const fs::path& f) { setModified(f, 1'000'000); }, false},
    {"ReplacedByTheSameBytes",
     [](const fs::path& f) {
         writeBytes(f.string() + ".new", readBytes(f));
         fs::rename(f.string() + ".new", f);
     },
     false},
    {"Removed", [](const fs::path& f) { fs::remove(f); }, false},
    {"Appended",
     [](const fs::path& f) {
         auto bytes = readBytes(f);
         bytes.push_back(9);
         writeBytes(f, bytes);
     },
     true},
    // The same size, and the old time put back: only the content tells.
    {"SameSizeOtherBytesOldTime",
     [](const fs::path& f) {
         struct stat before {};
         ::stat(f.c_str(), &before);
         auto bytes = readBytes(f);
         bytes[0] ^= 0xFF;
         writeBytes(f.string() + ".new", bytes);
         fs::rename(f.string() + ".new", f);
         setModified(f, before.st_mtim.tv_sec);
     },
     true},
    {"ReplacedByAFolder",
     [](const fs::path& f) {
         fs::remove(f);
         fs::create_directory(f);
     },
     true},
};

class FileMemoryChange : public ::testing::TestWithParam<Meddling> {};

TEST_P(FileMemoryChange, AsksOnlyWhenAnotherProgramChangedTheContent) {
    TempDir dir;
    const fs::path file = dir.path() / "lndmrks0.dat";
    writeBytes(file, {1, 2, 3, 4, 5});
    fs::create_symlink(file, dir.path() / "link.dat");
    FileMemory memory;
    memory.read(file.string());
    GetParam().act(file);
    EXPECT_EQ(memory.changedByAnother(file.string()), GetParam().changed);
    // Through a link, too.
    EXPECT_EQ(memory.changedByAnother(dir.file("link.dat")), GetParam().changed);
}

INSTANTIATE_TEST_SUITE_P(Cases, FileMemoryChange, ::testing::ValuesIn(kMeddlings),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(FileMemory, KnowsOnlyWhatItReadSinceTheLastReadAndWhatItWrote) {
    TempDir dir;
    const std::string a = dir.file("a.dat");
    const std::string b = dir.file("b.dat");
    const std::string c = dir.file("c.dat");
    for (const std::string& path : {a, b, c})
        writeBytes(path, {1, 2, 3});
    FileMemory memory;
    memory.read(a);
    memory.wrote(b);
    writeBytes(a, {4});
    writeBytes(b, {5});
    writeBytes(c, {6}); // never read or written here: nothing to ask about
    EXPECT_TRUE(memory.changedByAnother(a));
    EXPECT_TRUE(memory.changedByAnother(b));
    EXPECT_FALSE(memory.changedByAnother(c));

    // Writing the file again makes its new content the one known.
    memory.wrote(a);
    EXPECT_FALSE(memory.changedByAnother(a));
    // A new read forgets the files of the one before.
    memory.read(c);
    writeBytes(b, {7});
    EXPECT_FALSE(memory.changedByAnother(b));
    writeBytes(c, {8, 8});
    EXPECT_TRUE(memory.changedByAnother(c));
}

} // namespace
} // namespace korvland
