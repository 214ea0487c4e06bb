#include "data/landmark_set.h"
#include "data/set_state.h"
#include "data/user_error.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>

namespace korvland {
namespace {

using testing::LandmarkFileBuilder;
using testing::LoadedSet;
using testing::stateOf;
using testing::TempDir;

namespace fs = std::filesystem;

std::string messageOfRead(LandmarkSet& set, const std::string& path) {
    try {
        set.read(path);
    } catch (const UserError& e) {
        return e.what();
    }
    return "(no error)";
}

struct ReadFailure {
    const char* name;
    // Makes the thing to read inside the folder and returns its path.
    std::function<std::string(const fs::path&)> make;
    const char* message;
};

std::string fileWith(const fs::path& folder, const LandmarkFileBuilder& builder) {
    return builder.writeTo(folder / "lndmrks0.dat");
}

const ReadFailure kReadFailures[] = {
    {"EmptyFile", [](const fs::path& d) { return fileWith(d, LandmarkFileBuilder().truncateTo(0)); },
     "Read beyond end of file"},
    {"HeaderEndsInsideTheAuxWord",
     [](const fs::path& d) { return fileWith(d, LandmarkFileBuilder().addMany(2).truncateTo(25)); },
     "Read beyond end of file"},
    {"HeaderOnly",
     [](const fs::path& d) { return fileWith(d, LandmarkFileBuilder().addMany(3).truncateTo(100)); },
     "Read beyond end of file"},
    {"DataEndsInsideRecord250Of400",
     [](const fs::path& d) {
         return fileWith(d, LandmarkFileBuilder().addMany(400).truncateTo(100 + 250 * 63 + 30));
     },
     "Read beyond end of file"},
    {"LastNameOneByteShort",
     [](const fs::path& d) {
         return fileWith(d, LandmarkFileBuilder().addMany(5).recordSize(70).truncateTo(100 + 4 * 70 + 62));
     },
     "Read beyond end of file"},
    {"HeaderPromisesMoreRecordsThanFollow",
     [](const fs::path& d) { return fileWith(d, LandmarkFileBuilder().addMany(3).headerCount(4)); },
     "Read beyond end of file"},
    {"CountZero",
     [](const fs::path& d) { return fileWith(d, LandmarkFileBuilder().addMany(3).headerCount(0)); },
     "Invalid landmark file: it holds 0 records; a landmark file holds 1 to 1024."},
    {"Count1025",
     [](const fs::path& d) { return fileWith(d, LandmarkFileBuilder().addMany(3).headerCount(1025)); },
     "Invalid landmark file: it holds 1025 records; a landmark file holds 1 to 1024."},
    {"Count65535",
     [](const fs::path& d) { return fileWith(d, LandmarkFileBuilder().addMany(1).headerCount(65535)); },
     "Invalid landmark file: it holds 65535 records; a landmark file holds 1 to 1024."},
    {"MissingFile", [](const fs::path& d) { return (d / "lndmrks9.dat").string(); }, "File not found"},
    {"MissingFolder", [](const fs::path& d) { return (d / "gone" / "lndmrks0.dat").string(); },
     "Invalid filename"},
    {"FolderIsARegularFile",
     [](const fs::path& d) {
         testing::writeBytes(d / "plain", {1, 2, 3});
         return (d / "plain" / "lndmrks0.dat").string();
     },
     "Invalid filename"},
    {"Directory",
     [](const fs::path& d) {
         fs::create_directory(d / "folder.dat");
         return (d / "folder.dat").string();
     },
     "File access denied"},
    {"Device", [](const fs::path&) { return std::string("/dev/null"); }, "File access denied"},
    // A pipe nobody writes to must be refused, not waited on.
    {"PipeWithoutWriter",
     [](const fs::path& d) {
         const fs::path pipe = d / "lndmrks0.dat";
         EXPECT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
         return pipe.string();
     },
     "File access denied"},
    {"EmptyPath", [](const fs::path&) { return std::string(); }, "File not found"},
};

class ReadFailureLeavesSetUnchanged : public ::testing::TestWithParam<ReadFailure> {};

TEST_P(ReadFailureLeavesSetUnchanged, WithTheFileLayersMessage) {
    LoadedSet loaded;
    TempDir other;
    const std::string path = GetParam().make(other.path());
    const auto before = stateOf(loaded.set);
    EXPECT_EQ(messageOfRead(loaded.set, path), GetParam().message);
    EXPECT_TRUE(stateOf(loaded.set) == before);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadFailureLeavesSetUnchanged, ::testing::ValuesIn(kReadFailures),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// A path of `length` bytes naming a readable landmark file inside `dir`.
std::string landmarkFileWithPathLength(const TempDir& dir, std::size_t length) {
    const std::string prefix = dir.path().string() + "/";
    EXPECT_LT(prefix.size() + 4, length);
    const std::string path = prefix + std::string(length - prefix.size() - 4, 'p') + ".dat";
    return LandmarkFileBuilder().addMany(2).writeTo(path);
}

TEST(ReadPathLength, APathOf128BytesIsRefusedBeforeAnythingChanges) {
    LoadedSet loaded;
    const std::string path = landmarkFileWithPathLength(loaded.dir, 128);
    const auto before = stateOf(loaded.set);
    const std::string message = messageOfRead(loaded.set, path);
    EXPECT_NE(message.find("bytes long; at most 127 bytes"), std::string::npos) << message;
    EXPECT_TRUE(stateOf(loaded.set) == before);
}

TEST(ReadPathLength, APathOf127BytesFillsTheWholePathField) {
    LoadedSet loaded;
    const std::string path = landmarkFileWithPathLength(loaded.dir, 127);
    loaded.set.read(path);
    EXPECT_EQ(loaded.set.landmarkPath(), path);
    EXPECT_EQ(loaded.set.landmarkPathBytes()[127], 0);
}

TEST(ReadAccess, AReadOnlyFileOpens) {
    TempDir dir;
    const std::string path = LandmarkFileBuilder().addMany(3).writeTo(dir.path() / "ro.dat");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    LandmarkSet set;
    set.read(path);
    EXPECT_EQ(set.recordCount(), 3);
}

} // namespace
} // namespace korvland
