// Faults no file system produces on demand: this test program's own fsync, fchmod and
// ftruncate stand in for the C library's (the executable's definitions win), pass every
// call through unchanged, and fail or record only while a test asks them to.

#include "data/file_io.h"
#include "data/set_state.h"
#include "data/user_error.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

struct InjectedFaults {
    int fchmodError = 0;
    int ftruncateError = 0;
    bool recordSyncs = false;
    std::vector<ino_t> syncedFolders;
};

InjectedFaults faults;

} // namespace

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

// A hard-linked file is copied over in place; when that copy fails part-way the message
// says where the complete new contents are.
TEST_F(InjectedFault, AFailedInPlaceCopyNamesWhereTheCompleteCopyIs) {
    writeBytes(dir.path() / "a.dat", kOld);
    fs::create_hard_link(dir.path() / "a.dat", dir.path() / "b.dat");
    faults.ftruncateError = EIO;
    const std::string message = save(dir.path() / "a.dat");
    faults = {};
    const std::string lead = "I/O error 5; the complete new file was kept as ";
    ASSERT_EQ(message.substr(0, lead.size()), lead);
    const fs::path copy = message.substr(lead.size());
    EXPECT_EQ(copy.parent_path(), dir.path());
    EXPECT_EQ(readBytes(copy), kNew);
}

} // namespace
} // namespace korvland
