#include "data/recovery_copy.h"
#include "data/set_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvland {
namespace {

using testing::LandmarkFileBuilder;
using testing::makeRecord;
using testing::TempDir;
using testing::writeBytes;

mode_t modeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 0777;
}

// A set with work no landmark file alone can carry: a switched-off record of its own type, a
// profile's flag 2, and a renamed record.
struct Work {
    TempDir dir;
    std::string original = LandmarkFileBuilder()
                               .add(makeRecord(1, 0x01, 0x02, 0, "Arras"))
                               .add(makeRecord(2, 0x03, 0x13, 1, "Lens"))
                               .add(makeRecord(3, 0x06, 0x10, 0, "Sedan"))
                               .recordSize(70)
                               .writeTo(dir.file("lndmrks1.dat"));
    std::string folder = dir.file("state/korvland/recovery");
    LandmarkSet set;
    Work() {
        set.read(original);
        set.setDisabled(0, 1);
        set.setDisabled(1, 2);
        set.selectRecord(2);
        set.setName("Loos");
    }
    RecoveryFiles write(int steps = 3, std::int64_t at = 1000) {
        RecoveryDescription d;
        d.original = *stampFile(original);
        d.unsavedSteps = steps;
        d.writtenAt = at;
        return writeRecoveryCopy(folder, set, d);
    }
};

TEST(RecoveryCopy, RestoresTheWholeSetUnderTheOriginalPathFromPrivateFiles) {
    ::umask(022);
    Work work;
    const RecoveryFiles files = work.write();
    EXPECT_EQ(modeOf(work.folder), 0700u);
    EXPECT_EQ(modeOf(files.copy), 0600u);
    EXPECT_EQ(modeOf(files.description), 0600u);

    // The copy is a landmark file as a save would write it: the switched-off record is type 6.
    LandmarkSet plain;
    plain.read(files.copy);
    EXPECT_EQ(plain.record(0).loFileType, kDisabledType);
    EXPECT_EQ(plain.record(1).nameBytes(), "Loos");

    const std::optional<RecoveryEntry> entry = recoveryCopyOf(work.folder, work.original);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->description.unsavedSteps, 3);
    LandmarkSet restored;
    readRecoveryCopy(restored, *entry);
    restored.selectRecord(2);
    EXPECT_EQ(testing::stateOf(restored), testing::stateOf(work.set)) << "own types and flag 2 come back";

    // A kill between the two writes leaves a copy the description does not describe: taken as it is.
    work.set.setName("Hulluch");
    writeBytes(files.copy, work.set.compiledBytes());
    readRecoveryCopy(restored, *entry);
    EXPECT_EQ(restored.record(1).nameBytes(), "Hulluch");
    EXPECT_EQ(restored.record(0).loFileType, kDisabledType);
}

TEST(RecoveryCopy, FolderIsMadePrivateAndCopiesAreFoundNewestFirst) {
    Work work;
    std::filesystem::create_directories(work.folder);
    ::chmod(work.folder.c_str(), 0755);
    work.write(1, 500);
    EXPECT_EQ(modeOf(work.folder), 0755u) << "an existing folder of the user's keeps its mode";
    const std::string other = LandmarkFileBuilder().addMany(2).writeTo(work.dir.file("lndmrks2.dat"));
    LandmarkSet second;
    second.read(other);
    RecoveryDescription d;
    d.original.path = other;
    d.writtenAt = 900;
    const RecoveryFiles secondFiles = writeRecoveryCopy(work.folder, second, d);
    // A description without its copy, and a text that is none, are passed over.
    writeBytes(work.folder + "/stray.recovery", {'x'});
    d.original.path = "/gone.dat";
    const std::string gone = describeRecovery(d);
    writeBytes(recoveryFilesFor(work.folder, "/gone.dat").description, {gone.begin(), gone.end()});

    const std::vector<RecoveryEntry> found = findRecoveryCopies(work.folder);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].description.original.path, other);
    EXPECT_EQ(found[1].description.original.path, work.original);
    EXPECT_FALSE(writerStillRuns(found[0].description)) << "this process's own copy is no other editor's";
    removeRecoveryCopy(secondFiles);
    EXPECT_FALSE(recoveryCopyOf(work.folder, other));
    EXPECT_TRUE(recoveryCopyOf(work.folder, work.original));
}

TEST(RecoveryCopy, DescriptionKeepsEveryPathAndRefusesWhatIsNoDescription) {
    RecoveryDescription d;
    d.original = {"/a%b/line\nbreak.dat", "/r\rx", 7, 8, 9, -10, 0xfedcba9876543210ull};
    d.unsavedSteps = 12;
    d.flags[1023] = 2;
    d.keptTypes = {{4, 9, 0xAC}};
    const std::string text = describeRecovery(d);
    const std::optional<RecoveryDescription> back = parseRecoveryDescription(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(describeRecovery(*back), text);
    EXPECT_EQ(back->original.path, d.original.path);
    for (const std::string& broken :
         {std::string("korvland recovery 2\n"), text.substr(0, text.find("types")),
          std::string(text).replace(text.find("steps 12"), 8, "steps x"),
          std::string(text).replace(text.find("%0a"), 3, "%g"), text + "types 1024:1:1\n"})
        EXPECT_FALSE(parseRecoveryDescription(broken)) << broken.substr(0, 40);
}

// The folder of kept work that another user could have prepared: each is refused, and the
// folder a planted link points at keeps its mode and receives nothing.
struct ForeignFolder {
    const char* name;
    void (*plant)(const std::string& folder, const std::string& victim);
};

const ForeignFolder kForeignFolders[] = {
    {"LinkAsTheFolder",
     [](const std::string& folder, const std::string& victim) {
         std::filesystem::create_directories(std::filesystem::path(folder).parent_path());
         std::filesystem::create_directory_symlink(victim, folder);
     }},
    {"LinkAsAFolderOnTheWay",
     [](const std::string& folder, const std::string& victim) {
         std::filesystem::create_directories(std::filesystem::path(folder).parent_path().parent_path());
         std::filesystem::create_directory_symlink(victim, std::filesystem::path(folder).parent_path());
     }},
    {"FolderThatOthersMayWrite",
     [](const std::string& folder, const std::string&) {
         std::filesystem::create_directories(folder);
         ::chmod(folder.c_str(), 0777);
     }},
    {"FolderOfAnotherUser",
     [](const std::string& folder, const std::string&) {
         std::filesystem::create_directories(folder);
         if (::chown(folder.c_str(), 54321, 54321) != 0)
             GTEST_SKIP() << "only root can give a folder to another user here";
     }},
};

class RecoveryFolderPlanted : public ::testing::TestWithParam<ForeignFolder> {};

TEST_P(RecoveryFolderPlanted, IsRefusedAndLeavesTheTargetAlone) {
    Work work;
    const std::string victim = work.dir.file("victim");
    std::filesystem::create_directories(victim);
    ::chmod(victim.c_str(), 0755);
    GetParam().plant(work.folder, victim);
    if (IsSkipped())
        return;
    EXPECT_THROW(work.write(), UserError);
    EXPECT_EQ(modeOf(victim), 0755u);
    EXPECT_TRUE(std::filesystem::is_empty(victim));
}

INSTANTIATE_TEST_SUITE_P(Cases, RecoveryFolderPlanted, ::testing::ValuesIn(kForeignFolders),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Without XDG_STATE_HOME and HOME the home folder comes from the user database, never from a
// folder every user shares.
TEST(RecoveryFolder, WithoutHomeComesFromTheUserDatabase) {
    const std::string state = std::getenv("XDG_STATE_HOME") ? std::getenv("XDG_STATE_HOME") : "";
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::unsetenv("XDG_STATE_HOME");
    ::unsetenv("HOME");
    const std::optional<std::string> folder = defaultRecoveryFolder();
    if (!state.empty())
        ::setenv("XDG_STATE_HOME", state.c_str(), 1);
    if (!home.empty())
        ::setenv("HOME", home.c_str(), 1);
    const passwd* user = ::getpwuid(::geteuid());
    if (!user || !std::filesystem::is_directory(user->pw_dir))
        EXPECT_FALSE(folder) << "no home folder, no recovery folder";
    else
        EXPECT_EQ(folder, std::string(user->pw_dir) + "/.local/state/korvland/recovery");
}

// A pipe, or a file far larger than this program writes, in the folder of kept work is passed
// over at once (named, where it is too large), never read into memory or waited on.
TEST(RecoveryFolder, PipesAndOversizedFilesArePassedOverWithoutReading) {
    Work work;
    const RecoveryFiles files = work.write();
    const RecoveryFiles piped = recoveryFilesFor(work.folder, work.dir.file("piped.dat"));
    ASSERT_EQ(::mkfifo(piped.description.c_str(), 0600), 0);
    const RecoveryFiles large = recoveryFilesFor(work.folder, work.dir.file("large.dat"));
    writeBytes(large.description, std::vector<std::uint8_t>(100 * 1024, 'x'));
    const std::string text = describeRecovery(recoveryCopyOf(work.folder, work.original)->description);
    const RecoveryFiles hugeCopy = recoveryFilesFor(work.folder, work.dir.file("huge.dat"));
    writeBytes(hugeCopy.description, {text.begin(), text.end()});
    writeBytes(hugeCopy.copy, {});
    std::filesystem::resize_file(hugeCopy.copy, std::uintmax_t{65} << 20);

    const auto started = std::chrono::steady_clock::now();
    std::vector<std::string> passedOver;
    const std::vector<RecoveryEntry> found = findRecoveryCopies(work.folder, &passedOver);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].files.copy, files.copy);
    std::sort(passedOver.begin(), passedOver.end());
    std::vector<std::string> expected{large.description, hugeCopy.copy};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(passedOver, expected);
}

} // namespace
} // namespace korvland
