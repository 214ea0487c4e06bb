// Faults no file system produces on demand: this test program's own fsync, fchmod,
// ftruncate, fallocate, pwrite, flock and fsetxattr stand in for the C library's (the
// executable's definitions win), pass every call through unchanged, and fail, record or
// stand in for another run only while a test asks them to.

#include "data/file_io.h"
#include "data/set_state.h"
#include "data/user_error.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace {

// A pwrite that puts only part of its bytes (as a disk filling up does), then fails, then
// works again; or ends the process after the first block, as a kill would.
enum class WriteFault { None, PartThenFull, KillPartWay };

struct InjectedFaults {
    int fchmodError = 0;
    int ftruncateError = 0;
    int fallocateError = 0;
    int fsetxattrError = 0;
    WriteFault writeFault = WriteFault::None;
    int pwriteCalls = 0;
    bool recordSyncs = false;
    std::vector<ino_t> syncedFolders;
    // Another run's clean-up removes a fresh temporary file before its creator locks it.
    bool stealFreshTemporary = false;
};

InjectedFaults faults;

std::string pathOf(int fd) {
    char target[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
    return length > 0 ? std::string(target, static_cast<std::size_t>(length)) : std::string();
}

} // namespace

extern "C" int fallocate(int fd, int mode, off_t offset, off_t length) {
    if (faults.fallocateError != 0) {
        errno = faults.fallocateError;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fallocate, fd, mode, offset, length));
}

extern "C" ssize_t pwrite(int fd, const void* data, size_t size, off_t offset) {
    const int call = ++faults.pwriteCalls;
    if (faults.writeFault == WriteFault::KillPartWay && call == 2) {
        // The first block reached the file, the next does not.
        ::_exit(9);
    }
    if (faults.writeFault == WriteFault::PartThenFull && call == 1) {
        // A quarter of the bytes reach the file.
        return ::syscall(SYS_pwrite64, fd, data, size / 4, offset);
    }
    if (faults.writeFault == WriteFault::PartThenFull && call == 2) {
        errno = ENOSPC;
        return -1;
    }
    return ::syscall(SYS_pwrite64, fd, data, size, offset);
}

extern "C" int flock(int fd, int operation) noexcept {
    if (faults.stealFreshTemporary && pathOf(fd).find(".korvtmp-") != std::string::npos) {
        faults.stealFreshTemporary = false;
        ::unlink(pathOf(fd).c_str());
    }
    return static_cast<int>(::syscall(SYS_flock, fd, operation));
}

extern "C" int fsetxattr(int fd, const char* name, const void* value, size_t size, int flags) noexcept {
    if (faults.fsetxattrError != 0) {
        errno = faults.fsetxattrError;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fsetxattr, fd, name, value, size, flags));
}

extern "C" int fsync(int fd) {
    struct stat info {};
    if (faults.recordSyncs && ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode))
        faults.syncedFolders.push_back(info.st_ino);
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" int fchmod(int fd, mode_t mode) noexcept {
    if (faults.fchmodError != 0) {
        errno = faults.fchmodError;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fchmod, fd, mode));
}

extern "C" int ftruncate(int fd, off_t length) noexcept {
    if (faults.ftruncateError != 0) {
        errno = faults.ftruncateError;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_ftruncate, fd, length));
}

namespace korvland {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

const std::vector<std::uint8_t> kOld(40, 0x11);
const std::vector<std::uint8_t> kNew(70, 0x22);

class InjectedFault : public ::testing::Test {
  protected:
    void TearDown() override { faults = {}; }

    static std::string save(const fs::path& path) {
        return testing::messageOf([&] { replaceFileAtomically(path.string(), kNew); });
    }

    TempDir dir;
};

TEST_F(InjectedFault, TheFolderIsFlushedAfterTheRename) {
    struct stat folder {};
    ASSERT_EQ(::stat(dir.path().c_str(), &folder), 0);
    faults.recordSyncs = true;
    EXPECT_EQ(save(dir.path() / "new.dat"), "(no error)");
    EXPECT_EQ(faults.syncedFolders, std::vector<ino_t>{folder.st_ino});
}

TEST_F(InjectedFault, AFailedChmodIsAnErrorAndChangesNothing) {
    writeBytes(dir.path() / "out.dat", kOld);
    faults.fchmodError = EIO;
    EXPECT_EQ(save(dir.path() / "out.dat"), "I/O error 5");
    faults = {};
    EXPECT_EQ(readBytes(dir.path() / "out.dat"), kOld);
    EXPECT_EQ(testing::namesIn(dir.path()), std::set<std::string>{"out.dat"});
}

// A hard-linked file is copied over in place; when that copy fails part-way and the old
// contents cannot be put back either, the message says where both complete copies are.
TEST_F(InjectedFault, AFailedInPlaceCopyNamesWhereTheCompleteCopiesAre) {
    writeBytes(dir.path() / "a.dat", kOld);
    fs::create_hard_link(dir.path() / "a.dat", dir.path() / "b.dat");
    faults.ftruncateError = EIO;
    const std::string message = save(dir.path() / "a.dat");
    faults = {};
    const std::string lead = "I/O error 5; the old contents were kept as ";
    const std::string middle = " and the complete new file as ";
    ASSERT_EQ(message.substr(0, lead.size()), lead);
    const auto split = message.find(middle);
    ASSERT_NE(split, std::string::npos) << message;
    const fs::path oldCopy = message.substr(lead.size(), split - lead.size());
    const fs::path newCopy = message.substr(split + middle.size());
    EXPECT_EQ(oldCopy.parent_path(), dir.path());
    EXPECT_EQ(newCopy.parent_path(), dir.path());
    EXPECT_EQ(readBytes(oldCopy), kOld);
    EXPECT_EQ(readBytes(newCopy), kNew);
}

// The in-place copy of a hard-linked file, when the disk fills up: room that cannot be
// reserved stops the save before the file is touched, a write that fills the disk part-way
// puts the old contents back, and a file system that reserves nothing still gets its room.
struct InPlaceFault {
    const char* name;
    std::size_t oldSize;
    std::size_t newSize;
    int fallocateError;
    WriteFault writeFault;
    const char* message;
};

const InPlaceFault kInPlaceFaults[] = {
    {"NoRoomToReserve", 40, 70, ENOSPC, WriteFault::None, "Disk full"},
    {"NoRoomToReserveForASmallerFile", 70, 40, ENOSPC, WriteFault::None, "Disk full"},
    {"DiskFullPartWayThroughTheCopy", 40, 70, 0, WriteFault::PartThenFull, "Disk full"},
    {"DiskFullPartWayOverALargerFile", 70, 40, 0, WriteFault::PartThenFull, "Disk full"},
    {"NoReservationOnThisFileSystem", 40, 70, EOPNOTSUPP, WriteFault::None, "(no error)"},
    {"NoReservationAndASmallerFile", 70, 40, EOPNOTSUPP, WriteFault::None, "(no error)"},
};

class InPlaceCopy : public ::testing::TestWithParam<InPlaceFault> {
  protected:
    void TearDown() override { faults = {}; }
    TempDir dir;
};

TEST_P(InPlaceCopy, LeavesTheOldFileOrTheNewOneWholeAndNoCopyBehind) {
    const InPlaceFault& c = GetParam();
    const std::vector<std::uint8_t> before(c.oldSize, 0x11);
    const std::vector<std::uint8_t> after(c.newSize, 0x22);
    writeBytes(dir.path() / "a.dat", before);
    fs::create_hard_link(dir.path() / "a.dat", dir.path() / "b.dat");
    faults.fallocateError = c.fallocateError;
    faults.writeFault = c.writeFault;
    const std::string message =
        testing::messageOf([&] { replaceFileAtomically((dir.path() / "a.dat").string(), after); });
    faults = {};
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(readBytes(dir.path() / "b.dat"), message == "(no error)" ? after : before);
    EXPECT_EQ(testing::namesIn(dir.path()), (std::set<std::string>{"a.dat", "b.dat"}));
}

INSTANTIATE_TEST_SUITE_P(Cases, InPlaceCopy, ::testing::ValuesIn(kInPlaceFaults),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// A save killed while it copies over a hard-linked file leaves the file part-way, complete
// copies of the old and the new contents beside it and a journal naming them in the private
// state folder. The next read finishes the save, or rolls it back, only from a state the save
// can have left, says which, and removes journal and copies; a file changed since is left
// alone, with the new contents' copy kept and named.
struct AfterTheKill {
    const char* name;
    void (*meanwhile)(const fs::path& file, const std::set<fs::path>& copies);
    const char* contents; // "old", "new" or "other"
    const char* notice;
};

const std::vector<std::uint8_t> kOldBlocks(3 * 4096, 0x11);
const std::vector<std::uint8_t> kNewBlocks(10000, 0x22);
const std::vector<std::uint8_t> kOtherBlocks(12000, 0x55);

const AfterTheKill kAfterTheKill[] = {
    {"NothingElse", [](const fs::path&, const std::set<fs::path>&) {}, "new",
     "finished an interrupted save of "},
    {"NewCopyLost",
     [](const fs::path&, const std::set<fs::path>& copies) {
         for (const fs::path& copy : copies)
             if (copy.filename().string().find(".korvtmp-") != std::string::npos)
                 fs::remove(copy);
     },
     "old", "rolled back an interrupted save of "},
    {"OldContentsPutBack",
     [](const fs::path& file, const std::set<fs::path>&) { writeBytes(file, kOldBlocks); }, "old",
     "rolled back an interrupted save of "},
    {"RewrittenInPlaceSince",
     [](const fs::path& file, const std::set<fs::path>&) { writeBytes(file, kOtherBlocks); }, "other",
     "an interrupted save of "},
};

class KilledInPlaceSave : public ::testing::TestWithParam<AfterTheKill> {
  protected:
    void SetUp() override {
        faults = {};
        ::setenv("XDG_STATE_HOME", dir.file("state").c_str(), 1);
    }
    void TearDown() override {
        faults = {};
        setFileNoticeHandler({});
        ::setenv("XDG_STATE_HOME", testing::testStateFolder().c_str(), 1);
    }
    TempDir dir;
};

TEST_P(KilledInPlaceSave, IsMendedByTheNextReadOnlyFromAStateTheSaveLeft) {
    const fs::path file = dir.path() / "a.dat";
    writeBytes(file, kOldBlocks);
    fs::create_hard_link(file, dir.path() / "b.dat");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        faults.writeFault = WriteFault::KillPartWay;
        ::_exit(testing::messageOf([&] { replaceFileAtomically(file.string(), kNewBlocks); }) == "(no error)"
                    ? 0
                    : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 9) << "the child was not stopped mid-copy";
    const fs::path journals = dir.path() / "state/korvland/journals";
    ASSERT_EQ(testing::namesIn(journals).size(), 1u);
    std::set<fs::path> copies;
    for (const std::string& name : testing::namesIn(dir.path()))
        if (name != "a.dat" && name != "b.dat" && name != "state")
            copies.insert(dir.path() / name);
    ASSERT_EQ(copies.size(), 2u);

    const AfterTheKill& c = GetParam();
    c.meanwhile(file, copies);
    std::vector<std::string> notices;
    setFileNoticeHandler([&](const Message& notice) { notices.push_back(notice.english()); });
    const std::string contents = c.contents;
    const std::vector<std::uint8_t>& expected = contents == "new"   ? kNewBlocks
                                                : contents == "old" ? kOldBlocks
                                                                    : kOtherBlocks;
    EXPECT_EQ(readWholeFile(file.string()), expected);
    EXPECT_EQ(readWholeFile(file.string()), expected) << "a journal set aside is not applied again";
    EXPECT_EQ(readBytes(dir.path() / "b.dat"), expected);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].substr(0, std::string(c.notice).size()), c.notice);
    if (contents != "other") {
        EXPECT_EQ(testing::namesIn(dir.path()), (std::set<std::string>{"a.dat", "b.dat", "state"}));
        EXPECT_TRUE(testing::namesIn(journals).empty());
        return;
    }
    // The journal is set aside; the copy of the new contents it names stays and is named.
    const std::string kept = notices[0].substr(notices[0].rfind(' ') + 1);
    EXPECT_EQ(readBytes(kept), kNewBlocks);
    EXPECT_NE(notices[0].find("was not finished: the file changed since; its copy is kept at "),
              std::string::npos);
    for (const std::string& name : testing::namesIn(journals))
        fs::remove(journals / name);
}

INSTANTIATE_TEST_SUITE_P(Cases, KilledInPlaceSave, ::testing::ValuesIn(kAfterTheKill),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Another save's clean-up may remove a fresh temporary file between its creation and its
// lock; the save then goes on under a new name instead of failing at the rename.
TEST_F(InjectedFault, ATemporaryFileRemovedBeforeItsLockIsReplacedByANewOne) {
    writeBytes(dir.path() / "out.dat", kOld);
    faults.stealFreshTemporary = true;
    EXPECT_EQ(save(dir.path() / "out.dat"), "(no error)");
    EXPECT_FALSE(faults.stealFreshTemporary) << "the fault was never met";
    EXPECT_EQ(readBytes(dir.path() / "out.dat"), kNew);
    EXPECT_EQ(testing::namesIn(dir.path()), std::set<std::string>{"out.dat"});
}

// An attribute the new file cannot take makes the save copy over the file in place, which
// keeps every attribute it has.
TEST_F(InjectedFault, AnAttributeThatCannotBeCopiedMakesTheSaveCopyInPlace) {
    const fs::path file = dir.path() / "out.dat";
    writeBytes(file, kOld);
    if (::setxattr(file.c_str(), "user.origin", "survey", 6, 0) != 0)
        GTEST_SKIP() << "this file system takes no user attributes (errno " << errno << ")";
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    faults.fsetxattrError = EPERM;
    EXPECT_EQ(save(file), "(no error)");
    faults = {};
    struct stat after {};
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(readBytes(file), kNew);
    char value[16] = {};
    EXPECT_EQ(::getxattr(file.c_str(), "user.origin", value, sizeof value), 6);
    EXPECT_STREQ(value, "survey");
    EXPECT_EQ(testing::namesIn(dir.path()), std::set<std::string>{"out.dat"});
}

} // namespace
} // namespace korvland
