#include "data/file_kind.h"
#include "data/landmark_set.h"
#include "data/profile_file.h"
#include "support/fixture_builder.h"
#include "support/unprivileged.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace korvland {
namespace {

using testing::LandmarkFileBuilder;
using testing::TempDir;
using testing::writeBytes;

namespace fs = std::filesystem;

std::vector<std::uint8_t> profileNaming(const std::string& path, std::uint8_t flag = 1) {
    ProfileContents profile;
    std::copy(path.begin(), path.end(), profile.landmarkPath.begin());
    profile.profileCount = 12;
    profile.disabledFlags[3] = flag;
    return encodeProfile(profile);
}

struct KindCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    FileKind kind;
};

// The kind comes from the content: header and size for landmarks, the fixed size and a
// valid layout for a profile; the name plays no part.
TEST(FileKind, ToldByContentAlone) {
    const auto written = LandmarkFileBuilder().addMany(7).bytes();
    auto truncated = written;
    truncated.resize(written.size() - 1);
    auto exactly1154 = LandmarkFileBuilder().addMany(1).recordSize(991).bytes();
    exactly1154.resize(1154, 0);
    const KindCase cases[] = {
        {"landmark file", written, FileKind::Landmarks},
        {"landmark file with a trailing tail", LandmarkFileBuilder().addMany(3).trailing({1, 2, 3}).bytes(),
         FileKind::Landmarks},
        {"landmark file of profile size", exactly1154, FileKind::Landmarks},
        {"landmark file cut short", truncated, FileKind::Other},
        {"header count 0", LandmarkFileBuilder().addMany(3).headerCount(0).bytes(), FileKind::Other},
        {"header count 1025", LandmarkFileBuilder().addMany(3).headerCount(1025).bytes(), FileKind::Other},
        {"profile", profileNaming("/srv/maps/lndmrks1.dat"), FileKind::Profile},
        // A 21-byte path puts a small count and a zero record size where a header has them.
        {"profile with a 21-byte path", profileNaming("/srv/maps/lndmrks.dat"), FileKind::Profile},
        {"empty profile", std::vector<std::uint8_t>(1154, 0), FileKind::Profile},
        {"profile with a bad flag", profileNaming("/a.dat", 7), FileKind::Other},
        {"profile one byte longer",
         [] {
             auto b = profileNaming("/a.dat");
             b.push_back(0);
             return b;
         }(),
         FileKind::Other},
        {"text", std::vector<std::uint8_t>(2000, 'x'), FileKind::Other},
        {"empty", {}, FileKind::Other},
    };
    for (const KindCase& c : cases)
        EXPECT_EQ(fileKindOf(c.bytes), c.kind) << c.name;
}

TEST(FileKind, AtAPathReadsOnlyWhatItMayAndCallsTheRestOther) {
    TempDir dir;
    LandmarkFileBuilder().addMany(5).writeTo(dir.path() / "profile.lmp"); // names mean nothing
    writeBytes(dir.path() / "landmarks.dat", profileNaming("/x.dat"));
    fs::create_directory(dir.path() / "folder");
    fs::create_symlink("profile.lmp", dir.path() / "link");
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    EXPECT_EQ(fileKindAt(dir.file("profile.lmp")), FileKind::Landmarks);
    EXPECT_EQ(fileKindAt(dir.file("landmarks.dat")), FileKind::Profile);
    EXPECT_EQ(fileKindAt(dir.file("link")), FileKind::Landmarks);
    for (const char* other : {"missing", "folder", "fifo"})
        EXPECT_EQ(fileKindAt(dir.file(other)), FileKind::Other) << other;

    // A file the user may write but not read.
    const std::string writeOnly = LandmarkFileBuilder().addMany(5).writeTo(dir.path() / "write-only.dat");
    testing::giveToUnprivilegedUser(writeOnly);
    ASSERT_EQ(::chmod(writeOnly.c_str(), 0200), 0);
    EXPECT_EQ(testing::runUnprivileged(
                  [&] { return fileKindAt(writeOnly) == FileKind::Other ? "other" : "known"; }),
              "other");
}

} // namespace
} // namespace korvland
