#include "data/file_io.h"
#include "data/landmark_set.h"
#include "data/set_state.h"
#include "data/user_error.h"
#include "support/fixture_builder.h"
#include "support/unprivileged.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <set>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace korvland {
namespace {

using testing::messageOf;
using testing::namesIn;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

namespace fs = std::filesystem;

const std::vector<std::uint8_t> kOld(40, 0x11);
const std::vector<std::uint8_t> kNew(70, 0x22);

struct stat statOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

// A folder the unprivileged user owns and may write.
fs::path unprivilegedFolder(const TempDir& dir, const char* name = "home") {
    const fs::path folder = dir.path() / name;
    fs::create_directory(folder);
    testing::giveToUnprivilegedUser(folder);
    return folder;
}

// --- symbolic links ---------------------------------------------------------------------

struct LinkCase {
    const char* name;
    const char* link;   // where the save goes, relative to the test folder
    const char* target; // the real file that must receive the contents
    std::function<void(const fs::path&)> make;
};

const LinkCase kLinkCases[] = {
    {"Relative", "link.dat", "target.dat",
     [](const fs::path& d) {
         writeBytes(d / "target.dat", kOld);
         fs::create_symlink("target.dat", d / "link.dat");
     }},
    {"IntoAnotherFolder", "links/link.dat", "real/target.dat",
     [](const fs::path& d) {
         fs::create_directories(d / "links");
         fs::create_directories(d / "real");
         writeBytes(d / "real/target.dat", kOld);
         fs::create_symlink("../real/target.dat", d / "links/link.dat");
     }},
    {"ChainOfTwoAbsolute", "first.dat", "target.dat",
     [](const fs::path& d) {
         writeBytes(d / "target.dat", kOld);
         fs::create_symlink(d / "target.dat", d / "second.dat");
         fs::create_symlink(d / "second.dat", d / "first.dat");
     }},
    {"TargetNotYetThere", "link.dat", "target.dat",
     [](const fs::path& d) { fs::create_symlink("target.dat", d / "link.dat"); }},
};

class SymlinkDestination : public ::testing::TestWithParam<LinkCase> {};

TEST_P(SymlinkDestination, ReplacesTheRealFileAndTheLinkStaysALink) {
    TempDir dir;
    GetParam().make(dir.path());
    const fs::path link = dir.path() / GetParam().link;
    const fs::path linkTarget = fs::read_symlink(link);
    replaceFileAtomically(link.string(), kNew);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), linkTarget);
    EXPECT_EQ(readBytes(dir.path() / GetParam().target), kNew);
}

INSTANTIATE_TEST_SUITE_P(Cases, SymlinkDestination, ::testing::ValuesIn(kLinkCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(SymlinkDestination, AProfileIsSavedThroughTheLink) {
    testing::LoadedSet loaded;
    const fs::path target = loaded.dir.path() / "real.lmp";
    writeBytes(target, kOld);
    fs::create_symlink("real.lmp", loaded.dir.path() / "link.lmp");
    loaded.set.saveProfile(loaded.dir.file("link.lmp"));
    EXPECT_TRUE(fs::is_symlink(loaded.dir.path() / "link.lmp"));
    EXPECT_EQ(readBytes(target).size(), 1154u);
}

// --- what the destination is to others --------------------------------------------------

TEST(KeptIdentity, OtherHardLinksSeeTheNewContents) {
    TempDir dir;
    writeBytes(dir.path() / "a.dat", kOld);
    fs::create_hard_link(dir.path() / "a.dat", dir.path() / "b.dat");
    const ino_t inode = statOf(dir.path() / "a.dat").st_ino;
    replaceFileAtomically(dir.file("a.dat"), kNew);
    EXPECT_EQ(readBytes(dir.path() / "b.dat"), kNew);
    EXPECT_EQ(statOf(dir.path() / "a.dat").st_ino, inode);
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"a.dat", "b.dat"}));
}

TEST(KeptIdentity, RootSavingOverAnotherUsersFileKeepsItsOwnerAndGroup) {
    if (!testing::runningAsRoot())
        GTEST_SKIP() << "needs root to save over another user's file";
    TempDir dir;
    const fs::path file = dir.path() / "theirs.dat";
    writeBytes(file, kOld);
    ::chmod(file.c_str(), 0640);
    testing::giveToUnprivilegedUser(file);
    replaceFileAtomically(file.string(), kNew);
    const struct stat after = statOf(file);
    EXPECT_EQ(after.st_uid, testing::unprivilegedUser());
    EXPECT_EQ(after.st_gid, testing::unprivilegedGroup());
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(readBytes(file), kNew);
}

TEST(KeptIdentity, AWritableFileOfAnotherOwnerIsCopiedOverInPlace) {
    if (!testing::runningAsRoot())
        GTEST_SKIP() << "needs root to make a file of another user";
    TempDir dir;
    const fs::path folder = unprivilegedFolder(dir);
    const fs::path file = folder / "shared.dat";
    writeBytes(file, kOld); // root's, writable by all
    ::chmod(file.c_str(), 0666);
    const std::string result = testing::runUnprivileged(
        [&] { return messageOf([&] { replaceFileAtomically(file.string(), kNew); }); });
    EXPECT_EQ(result, "(no error)");
    EXPECT_EQ(statOf(file).st_uid, 0u);
    EXPECT_EQ(readBytes(file), kNew);
    EXPECT_EQ(namesIn(folder), std::set<std::string>{"shared.dat"});
}

TEST(KeptIdentity, AWritableFileInAFolderThatTakesNoNewFileIsSaved) {
    TempDir dir;
    const fs::path folder = dir.path() / "locked";
    fs::create_directory(folder);
    const fs::path file = folder / "mine.dat";
    writeBytes(file, kOld);
    testing::giveToUnprivilegedUser(file);
    ::chmod(folder.c_str(), 0555);
    const std::string result = testing::runUnprivileged(
        [&] { return messageOf([&] { replaceFileAtomically(file.string(), kNew); }); });
    EXPECT_EQ(result, "(no error)");
    EXPECT_EQ(readBytes(file), kNew);
    EXPECT_EQ(namesIn(folder), std::set<std::string>{"mine.dat"});
}

TEST(KeptIdentity, SetUserAndSetGroupBitsAreNotCarriedOver) {
    TempDir dir;
    const fs::path file = dir.path() / "tool.dat";
    writeBytes(file, kOld);
    ASSERT_EQ(::chmod(file.c_str(), 06755), 0);
    replaceFileAtomically(file.string(), kNew);
    EXPECT_EQ(statOf(file).st_mode & 07777, 0755u);
    EXPECT_EQ(readBytes(file), kNew);
}

// --- links planted in shared folders ------------------------------------------------------

// Root saving through a link in a sticky folder everyone may write, whether the link stands
// for the file or for a folder on its way, follows the link only when it is root's own or the
// folder owner's, whatever the machine's setting says.
struct SharedFolderLinkCase {
    const char* name;
    mode_t folderMode;
    bool folderOfNobody;
    bool linkOfNobody;
    bool targetExists;
    bool followed;
    bool linksAFolder; // the link stands for a folder on the way to the file
};

const SharedFolderLinkCase kSharedFolderLinks[] = {
    {"AnotherUsersLinkToAPrivateFile", 01777, false, true, true, false, false},
    {"AnotherUsersDanglingLink", 01777, false, true, false, false, false},
    {"OwnLink", 01777, false, false, true, true, false},
    {"TheFolderOwnersLink", 01777, true, true, true, true, false},
    {"AnotherUsersLinkInAFolderWithoutTheStickyBit", 0777, false, true, true, true, false},
    {"AnotherUsersLinkInAStickyFolderOnlyItsOwnerWrites", 01755, false, true, true, true, false},
    {"AnotherUsersLinkToAPrivateFolder", 01777, false, true, true, false, true},
    {"AnotherUsersLinkToAPrivateFolderForANewFile", 01777, false, true, false, false, true},
    {"OwnLinkToAFolder", 01777, false, false, true, true, true},
};

class SharedFolderLink : public ::testing::TestWithParam<SharedFolderLinkCase> {};

TEST_P(SharedFolderLink, IsFollowedOnlyWhenItIsTheSaversOrTheFolderOwners) {
    if (!testing::runningAsRoot())
        GTEST_SKIP() << "needs root to plant a link of another user";
    const SharedFolderLinkCase& c = GetParam();
    TempDir dir;
    const fs::path shared = dir.path() / "shared";
    fs::create_directory(shared);
    ASSERT_EQ(::chmod(shared.c_str(), c.folderMode), 0);
    if (c.folderOfNobody)
        testing::giveToUnprivilegedUser(shared);
    const fs::path privateFolder = dir.path() / "private";
    fs::create_directory(privateFolder);
    ::chmod(privateFolder.c_str(), 0700);
    const fs::path target = privateFolder / "map.dat";
    if (c.targetExists) {
        writeBytes(target, kOld);
        ::chmod(target.c_str(), 0600);
    }
    const fs::path link = shared / (c.linksAFolder ? "dir" : "map.dat");
    fs::create_symlink(c.linksAFolder ? privateFolder : target, link);
    if (c.linkOfNobody)
        testing::giveToUnprivilegedUser(link);

    const fs::path destination = c.linksAFolder ? link / "map.dat" : link;
    const std::string result = messageOf([&] { replaceFileAtomically(destination.string(), kNew); });
    EXPECT_EQ(result, c.followed ? "(no error)" : "File access denied");
    EXPECT_TRUE(fs::is_symlink(link));
    if (c.followed)
        EXPECT_EQ(readBytes(target), kNew);
    else if (c.targetExists)
        EXPECT_EQ(readBytes(target), kOld);
    else
        EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(namesIn(shared), std::set<std::string>{link.filename().string()});
}

INSTANTIATE_TEST_SUITE_P(Cases, SharedFolderLink, ::testing::ValuesIn(kSharedFolderLinks),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// --- access lists and extended attributes -------------------------------------------------

// An access list as the kernel stores it: owner rw, the unprivileged user rw, group r,
// mask rw, others nothing.
std::vector<char> accessListGivingNobodyWrite() {
    struct Entry {
        std::uint16_t tag;
        std::uint16_t permissions;
        std::uint32_t id;
    };
    const std::uint32_t version = 2;
    const Entry entries[] = {{0x01, 6, ~0u},
                             {0x02, 6, testing::unprivilegedUser()},
                             {0x04, 4, ~0u},
                             {0x10, 6, ~0u},
                             {0x20, 0, ~0u}};
    std::vector<char> bytes(sizeof version + sizeof entries);
    std::memcpy(bytes.data(), &version, sizeof version);
    std::memcpy(bytes.data() + sizeof version, entries, sizeof entries);
    return bytes;
}

std::vector<char> attribute(const fs::path& file, const char* name) {
    std::vector<char> value(256);
    const ssize_t length = ::getxattr(file.c_str(), name, value.data(), value.size());
    value.resize(length < 0 ? 0 : static_cast<std::size_t>(length));
    return value;
}

TEST(KeptIdentity, AccessListsAndUserAttributesSurviveASave) {
    if (!testing::runningAsRoot())
        GTEST_SKIP() << "needs root to give another user access through a list";
    TempDir dir;
    const fs::path file = dir.path() / "shared.dat";
    writeBytes(file, kOld);
    ::chmod(file.c_str(), 0640);
    const std::vector<char> acl = accessListGivingNobodyWrite();
    if (::setxattr(file.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0 ||
        ::setxattr(file.c_str(), "user.origin", "survey", 6, 0) != 0)
        GTEST_SKIP() << "this file system takes no access lists or user attributes (errno " << errno << ")";
    const auto writeAsNobody = [&] {
        return testing::runUnprivileged([&] {
            const int fd = ::open(file.c_str(), O_WRONLY);
            if (fd >= 0)
                ::close(fd);
            return std::string(fd >= 0 ? "writable" : "refused");
        });
    };
    ASSERT_EQ(writeAsNobody(), "writable");

    replaceFileAtomically(file.string(), kNew);
    EXPECT_EQ(readBytes(file), kNew);
    EXPECT_EQ(attribute(file, "system.posix_acl_access"), acl);
    EXPECT_EQ(attribute(file, "user.origin"), (std::vector<char>{'s', 'u', 'r', 'v', 'e', 'y'}));
    EXPECT_EQ(statOf(file).st_mode & 07777, 0660u) << "the mask shows as the group's bits";
    EXPECT_EQ(writeAsNobody(), "writable");
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"shared.dat"});
}

// --- destinations that are refused -------------------------------------------------------

struct RefusedCase {
    const char* name;
    std::function<fs::path(const fs::path&)> make; // returns the destination
    bool unprivileged;                             // checked as nobody
    bool needsRoot;                                // sets up a file of another user
};

const RefusedCase kRefusedCases[] = {
    {"Fifo",
     [](const fs::path& d) {
         ::mkfifo((d / "pipe.dat").c_str(), 0666);
         return d / "pipe.dat";
     },
     false, false},
    {"Folder",
     [](const fs::path& d) {
         fs::create_directory(d / "folder.dat");
         return d / "folder.dat";
     },
     false, false},
    {"LinkToADevice",
     [](const fs::path& d) {
         fs::create_symlink("/dev/null", d / "null.dat");
         return d / "null.dat";
     },
     false, false},
    {"ReadOnlyFile",
     [](const fs::path& d) {
         writeBytes(d / "ro.dat", kOld);
         testing::giveToUnprivilegedUser(d / "ro.dat");
         ::chmod((d / "ro.dat").c_str(), 0444);
         return d / "ro.dat";
     },
     true, false},
    {"AnotherUsersFile",
     [](const fs::path& d) {
         writeBytes(d / "root.dat", kOld);
         ::chmod((d / "root.dat").c_str(), 0644);
         return d / "root.dat";
     },
     true, true},
};

class RefusedDestination : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedDestination, IsLeftAsItIsWithFileAccessDenied) {
    if (GetParam().needsRoot && !testing::runningAsRoot())
        GTEST_SKIP() << "needs root to make a file of another user";
    TempDir dir;
    const fs::path folder = unprivilegedFolder(dir);
    const fs::path destination = GetParam().make(folder);
    const struct stat before = statOf(destination);
    const auto names = namesIn(folder);
    const auto save = [&] {
        std::string result = messageOf([&] { replaceFileAtomically(destination.string(), kNew); });
        // A profile goes the same way.
        LandmarkSet set;
        result += " / " + messageOf([&] { set.saveProfile(destination.string()); });
        return result;
    };
    const std::string result = GetParam().unprivileged ? testing::runUnprivileged(save) : save();
    EXPECT_EQ(result, "File access denied / File access denied");
    const struct stat after = statOf(destination);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_ino, before.st_ino);
    if (S_ISREG(after.st_mode)) {
        EXPECT_EQ(readBytes(destination), kOld);
    }
    EXPECT_EQ(namesIn(folder), names);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedDestination, ::testing::ValuesIn(kRefusedCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// --- temporary files --------------------------------------------------------------------

// A save killed part-way leaves its temporary file, readable by its owner only; the next
// save removes it, but neither look-alikes nor a running save's temporary file. The child
// is forked after this process has saved once, so it starts from the same state for the
// temporary names as the parent's next save.
TEST(TemporaryFiles, ALaterSaveSurvivesANameCollisionAndRemovesWhatAKilledRunLeft) {
    TempDir dir;
    const fs::path file = dir.path() / "land.dat";
    replaceFileAtomically(file.string(), kOld);
    // Look-alikes that are not temporary files of land.dat stay.
    const std::set<std::string> bystanders{".land.dat.korvtmp-notdigits",
                                           ".other.dat.korvtmp-0123456789abcdef",
                                           "land.dat.korvtmp-0123456789abcdef", ".land.dat.korvtmp-0123"};
    for (const std::string& name : bystanders)
        writeBytes(dir.path() / name, {1});
    // Another save of the same file, still running, holds its temporary file locked.
    std::set<std::string> kept = bystanders;
    kept.insert(".land.dat.korvtmp-00000000000000aa");
    writeBytes(dir.path() / ".land.dat.korvtmp-00000000000000aa", {2});
    const int running = ::open((dir.path() / ".land.dat.korvtmp-00000000000000aa").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit cap{10, 10};
        ::setrlimit(RLIMIT_FSIZE, &cap);
        std::signal(SIGXFSZ, SIG_DFL);
        try {
            replaceFileAtomically(file.string(), std::vector<std::uint8_t>(4096, 0x33));
        } catch (...) {
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "the child was not killed mid-write";
    std::set<std::string> leftovers;
    for (const std::string& name : namesIn(dir.path()))
        if (name != "land.dat" && !kept.count(name))
            leftovers.insert(name);
    ASSERT_EQ(leftovers.size(), 1u);
    EXPECT_EQ(statOf(dir.path() / *leftovers.begin()).st_mode & 0777, 0600u);

    EXPECT_EQ(messageOf([&] { replaceFileAtomically(file.string(), kNew); }), "(no error)");
    EXPECT_EQ(readBytes(file), kNew);
    std::set<std::string> expected = kept;
    expected.insert("land.dat");
    EXPECT_EQ(namesIn(dir.path()), expected);
    ::close(running);
}

// A save killed while writing its temporary file (the file size limit stops it).
void killedSave(const fs::path& file) {
    rlimit cap{10, 10};
    ::setrlimit(RLIMIT_FSIZE, &cap);
    std::signal(SIGXFSZ, SIG_DFL);
    replaceFileAtomically(file.string(), std::vector<std::uint8_t>(4096, 0x33));
}

std::set<std::string> leftoversIn(const fs::path& folder, const std::set<std::string>& known) {
    std::set<std::string> names;
    for (const std::string& name : namesIn(folder))
        if (!known.count(name))
            names.insert(name);
    return names;
}

// Two names that share their first 200 bytes have temporary files of their own: a save of
// one leaves the other's leftover alone, and the next save of the other removes it.
TEST(TemporaryFiles, NamesSharingTheirFirst200BytesDoNotShareTemporaryFiles) {
    TempDir dir;
    const std::string common(200, 'n');
    const fs::path first = dir.path() / (common + "-first.dat");
    const fs::path second = dir.path() / (common + "-second.dat");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        killedSave(first);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child was not killed mid-write";
    const auto leftover = leftoversIn(dir.path(), {});
    ASSERT_EQ(leftover.size(), 1u);

    replaceFileAtomically(second.string(), kNew);
    EXPECT_EQ(leftoversIn(dir.path(), {second.filename()}), leftover) << "another name's leftover went";
    replaceFileAtomically(first.string(), kNew);
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{first.filename(), second.filename()}));
}

// A file in a folder that takes no new file is saved through copies in the user's private
// state folder, never a shared one; the copy a killed save left there goes with the next read.
TEST(TemporaryFiles, ACopyLeftInThePrivateFolderGoesWithTheNextRead) {
    TempDir dir;
    const fs::path folder = dir.path() / "locked";
    const fs::path state = unprivilegedFolder(dir, "state");
    const fs::path copies = state / "korvland/journals";
    fs::create_directory(folder);
    const fs::path file = folder / "mine.dat";
    writeBytes(file, kOld);
    testing::giveToUnprivilegedUser(file);
    ::chmod(folder.c_str(), 0555);
    const auto asNobody = [&](const std::function<void()>& step) {
        return testing::runUnprivileged([&] {
            ::setenv("XDG_STATE_HOME", state.c_str(), 1);
            return messageOf(step);
        });
    };
    EXPECT_EQ(asNobody([&] { killedSave(file); }), "child died");
    const auto leftover = namesIn(copies);
    ASSERT_EQ(leftover.size(), 1u);
    EXPECT_EQ(leftover.begin()->substr(0, 10), ".mine.dat.");
    // Another folder's mine.dat has a temporary file of its own there.
    const fs::path other = copies / ".mine.dat.0123abcd.korvtmp-0123456789abcdef";
    writeBytes(other, {1});
    testing::giveToUnprivilegedUser(other);

    EXPECT_EQ(asNobody([&] { readWholeFile(file.string()); }), "(no error)");
    EXPECT_EQ(namesIn(copies), std::set<std::string>{".mine.dat.0123abcd.korvtmp-0123456789abcdef"});
    EXPECT_EQ(asNobody([&] { replaceFileAtomically(file.string(), kNew); }), "(no error)");
    EXPECT_EQ(readBytes(file), kNew);
    EXPECT_EQ(namesIn(folder), std::set<std::string>{"mine.dat"});
}

} // namespace
} // namespace korvland
