#include "data/file_io.h"
#include "data/landmark_set.h"
#include "data/set_state.h"
#include "data/user_error.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>

namespace korvland {
namespace {

using testing::LandmarkFileBuilder;
using testing::LoadedSet;
using testing::messageOf;
using testing::namesIn;
using testing::readBytes;
using testing::stateOf;
using testing::TempDir;

namespace fs = std::filesystem;

TEST(FileErrorMessage, MapsOperatingSystemErrorsToTheFileLayersTexts) {
    TempDir dir;
    const std::string inExistingFolder = dir.file("x.dat");
    const std::string inMissingFolder = dir.file("missing/x.dat");
    const struct {
        int error;
        const std::string& path;
        const char* text;
    } cases[] = {
        {ENOENT, inExistingFolder, "File not found"},
        {ENOENT, inMissingFolder, "Invalid filename"},
        {ENOTDIR, inExistingFolder, "Invalid filename"},
        {ENAMETOOLONG, inExistingFolder, "Invalid filename"},
        {EACCES, inExistingFolder, "File access denied"},
        {EPERM, inExistingFolder, "File access denied"},
        {EROFS, inExistingFolder, "File access denied"},
        {EISDIR, inExistingFolder, "File access denied"},
        {EMFILE, inExistingFolder, "Too many open files"},
        {ENFILE, inExistingFolder, "Too many open files"},
        {ENOSPC, inExistingFolder, "Disk full"},
        {EDQUOT, inExistingFolder, "Disk full"},
        {EFBIG, inExistingFolder, "Disk full"},
        {EIO, inExistingFolder, "I/O error 5"},
        {ENXIO, inExistingFolder, "I/O error 6"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fileErrorMessage(c.error, c.path), c.text) << "errno " << c.error << " " << c.path;
}

TEST(WriteRefusal, NothingIsWrittenWhileNoFileIsLoaded) {
    TempDir dir;
    LandmarkSet set;
    EXPECT_EQ(messageOf([&] { set.writeLandmarkFile(dir.file("out.dat")); }),
              "No landmark file has been read yet; there is nothing to write.");
    EXPECT_TRUE(namesIn(dir.path()).empty());
}

struct WriteFailure {
    const char* name;
    std::function<std::string(const fs::path&)> destination; // made inside the folder
    const char* message;
};

const WriteFailure kWriteFailures[] = {
    {"MissingFolder", [](const fs::path& d) { return (d / "gone" / "out.dat").string(); },
     "Invalid filename"},
    {"FolderIsARegularFile",
     [](const fs::path& d) {
         testing::writeBytes(d / "plain", {9});
         return (d / "plain" / "out.dat").string();
     },
     "Invalid filename"},
    {"DestinationIsAFolder",
     [](const fs::path& d) {
         fs::create_directory(d / "out.dat");
         testing::writeBytes(d / "out.dat" / "inside", {7});
         return (d / "out.dat").string();
     },
     "File access denied"},
};

class FailingWrite : public ::testing::TestWithParam<WriteFailure> {};

TEST_P(FailingWrite, LeavesFolderAndSetAsTheyWere) {
    LoadedSet loaded;
    TempDir target;
    const std::string destination = GetParam().destination(target.path());
    const auto filesBefore = namesIn(target.path());
    const auto before = stateOf(loaded.set);
    EXPECT_EQ(messageOf([&] { loaded.set.writeLandmarkFile(destination); }), GetParam().message);
    EXPECT_EQ(namesIn(target.path()), filesBefore);
    // The switched-off record 2 was not turned into type 6: nothing was written.
    EXPECT_TRUE(stateOf(loaded.set) == before);
    EXPECT_EQ(messageOf([&] { loaded.set.saveProfile(destination); }), GetParam().message);
    EXPECT_EQ(namesIn(target.path()), filesBefore);
}

INSTANTIATE_TEST_SUITE_P(Cases, FailingWrite, ::testing::ValuesIn(kWriteFailures),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Caps the size of files this process may write, so that a write fails part-way
// (as on a full disk) even for root.
class FileSizeCap {
  public:
    explicit FileSizeCap(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &mSaved);
        mOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit capped = mSaved;
        capped.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &capped);
    }
    ~FileSizeCap() {
        ::setrlimit(RLIMIT_FSIZE, &mSaved);
        std::signal(SIGXFSZ, mOldHandler);
    }

  private:
    rlimit mSaved{};
    void (*mOldHandler)(int);
};

TEST(FailingWrite, PartWayLeavesTheExistingFileUntouchedAndNoTemporaryFile) {
    TempDir dir;
    LandmarkSet set;
    set.read(LandmarkFileBuilder().addMany(1024).writeTo(dir.path() / "big.dat"));
    const std::string destination = dir.file("out.dat");
    const std::vector<std::uint8_t> old(300, 0x42);
    testing::writeBytes(destination, old);
    const auto files = namesIn(dir.path());
    const auto before = stateOf(set);
    std::string message;
    {
        FileSizeCap cap(4096);
        message = messageOf([&] { set.writeLandmarkFile(destination); });
    }
    EXPECT_EQ(message, "Disk full");
    EXPECT_EQ(readBytes(destination), old);
    EXPECT_EQ(namesIn(dir.path()), files);
    EXPECT_TRUE(stateOf(set) == before);
}

TEST(SuccessfulWrite, KeepsTheReplacedFilesPermissions) {
    LoadedSet loaded;
    const std::string destination = loaded.dir.file("out.dat");
    testing::writeBytes(destination, {1});
    ASSERT_EQ(::chmod(destination.c_str(), 0640), 0);
    loaded.set.writeLandmarkFile(destination);
    struct stat info {};
    ASSERT_EQ(::stat(destination.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(namesIn(loaded.dir.path()), (std::set<std::string>{"lndmrks1.dat", "out.dat"}));
}

TEST(SuccessfulWrite, ADestinationNameOfTheLongestAllowedLengthIsWritten) {
    LoadedSet loaded;
    const std::string destination = loaded.dir.file(std::string(251, 'n') + ".dat");
    loaded.set.writeLandmarkFile(destination);
    EXPECT_EQ(readBytes(destination).size(), 100u + 12 * 80);
    EXPECT_EQ(namesIn(loaded.dir.path()).size(), 2u);
}

TEST(ReadLimit, ALongFileIsReadOnlyAsFarAsTheCallerCanUse) {
    TempDir dir;
    const fs::path path = dir.path() / "big.dat";
    std::vector<std::uint8_t> bytes(5000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    testing::writeBytes(path, bytes);
    EXPECT_EQ(readWholeFile(path.string(), 1154),
              std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 1154));
    EXPECT_EQ(readWholeFile(path.string(), 5000), bytes);
    EXPECT_EQ(readWholeFile(path.string(), 9000), bytes);
    EXPECT_EQ(readWholeFile(path.string()), bytes);
}

TEST(ReadLimit, AFileLargerThanAnyLandmarkFileIsRefusedWithoutReadingItAllAndChangesNothing) {
    TempDir dir;
    const fs::path path = dir.path() / "lndmrks0.dat";
    LandmarkFileBuilder().addMany(3).writeTo(path);
    // Far more than any landmark file can use: a sparse gigabyte after the records. Loaded cut
    // short, the next save would drop everything past the cut.
    fs::resize_file(path, std::uintmax_t{1} << 30);
    LoadedSet loaded;
    const auto before = stateOf(loaded.set);
    EXPECT_EQ(messageOf([&] { loaded.set.read(path.string()); }),
              "The file is larger than any landmark file can be (64 MiB).");
    EXPECT_EQ(stateOf(loaded.set), before);
}

} // namespace
} // namespace korvland
