// Safe replacement of a file: the new contents reach the destination whole or not at all,
// and the destination stays what it was to everyone else (its links, owner, group,
// permissions, access list and other extended attributes), the way a careful text editor
// saves.

#include "data/file_io.h"
#include "data/posix_file.h"
#include "data/save_journal.h"
#include "data/user_error.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <set>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <system_error>
#include <unistd.h>

namespace korvland {

using posix::Descriptor;
using posix::parentFolder;
using posix::throwFor;

namespace {

// A temporary file holds the complete new contents; an old copy, the complete old contents
// of a file that is copied over in place.
constexpr std::string_view kTemporaryMarker = ".korvtmp-";
constexpr std::string_view kOldCopyMarker = ".korvold-";
constexpr std::size_t kTemporaryRandomDigits = 16;
// A file name has at most 255 bytes; the temporary name adds two dots, the hash of the whole
// destination, the marker and the digits.
constexpr std::size_t kLongestNameKept = 200;
constexpr int kMostLinksFollowed = 40;
constexpr int kMostNameAttempts = 100;

std::string fileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Eight hex digits of a hash of the destination's whole absolute path, so that two names
// sharing their first bytes, or two folders' files of one name meeting in the temporary
// folder, never share a naming pattern.
std::string destinationHash(const std::string& real) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(real, ignored);
    const std::string whole = absolute.empty() ? real : absolute.lexically_normal().string();
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : whole)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>((hash >> 32) ^ hash));
    return digits;
}

// ".name.1a2b3c4d": the start every temporary file and old copy of a destination shares.
std::string temporaryStem(const std::string& real) {
    return '.' + fileNameOf(real).substr(0, kLongestNameKept) + '.' + destinationHash(real);
}

// A fresh random part for every name, also in a child process that shares a parent's state:
// from the kernel's generator, which std::random_device also reads in the end, but without
// its probing of the processor on every construction (slow in a virtual machine, where it
// took a measurable part of a whole command-line run).
std::string randomDigits() {
    unsigned long long value = 0;
    if (::getentropy(&value, sizeof value) != 0) {
        std::random_device device;
        value = (static_cast<unsigned long long>(device()) << 32) ^ device();
    }
    char digits[kTemporaryRandomDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", value);
    return digits;
}

// Whether a name is one of the destination's temporary files or old copies.
bool isTemporaryOf(std::string_view name, const std::string& stem) {
    if (name.size() != stem.size() + kTemporaryMarker.size() + kTemporaryRandomDigits ||
        name.substr(0, stem.size()) != stem)
        return false;
    const std::string_view marker = name.substr(stem.size(), kTemporaryMarker.size());
    if (marker != kTemporaryMarker && marker != kOldCopyMarker)
        return false;
    for (const char c : name.substr(stem.size() + kTemporaryMarker.size()))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

// A link in a sticky folder that everyone may write (like the system's temporary folder)
// leads wherever whoever planted it chose: it is followed only when it belongs to the user
// saving or to the folder's owner, whatever the machine's own setting for such links.
void refuseForeignLink(const std::string& link, const struct stat& linkInfo, const std::string& path) {
    struct stat folder {};
    if (::stat(parentFolder(link).c_str(), &folder) != 0)
        throwFor(errno, path);
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    if (shared && linkInfo.st_uid != ::geteuid() && linkInfo.st_uid != folder.st_uid)
        throwFor(EACCES, path);
}

// `folder` and a name in it; an empty folder is the current one.
std::string joined(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + '/' + name;
}

// Puts the parts of `path` on `pending`, the first part last (taken first).
void pushParts(const std::string& path, std::vector<std::string>& pending) {
    std::size_t end = path.size();
    while (end > 0) {
        const std::size_t slash = path.rfind('/', end - 1);
        const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
        if (end > start)
            pending.push_back(path.substr(start, end - start));
        if (slash == std::string::npos)
            break;
        end = slash;
    }
}

// The file a path names in the end, every link on the way followed, also a last link whose
// target does not exist yet (the save creates it). Each part is looked at on its own, so
// that the rule for links in shared folders holds for a link that stands for a folder on
// the way as much as for one that stands for the file.
std::string realDestination(const std::string& path) {
    std::vector<std::string> pending;
    pushParts(path, pending);
    std::string resolved = path.front() == '/' ? "/" : "";
    int followed = 0;
    while (!pending.empty()) {
        const std::string part = std::move(pending.back());
        pending.pop_back();
        if (part == ".")
            continue;
        // What is resolved holds no link, so its parent is found by its name.
        const std::string lastPart = resolved.substr(resolved.find_last_of('/') + 1);
        if (part == ".." && resolved != "/" && !resolved.empty() && lastPart != "..") {
            const auto slash = resolved.find_last_of('/');
            resolved = slash == std::string::npos ? "" : resolved.substr(0, std::max<std::size_t>(slash, 1));
            continue;
        }
        if (part == ".." && resolved == "/")
            continue;
        const std::string candidate = joined(resolved, part);
        struct stat info {};
        if (::lstat(candidate.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            resolved = candidate;
            continue;
        }
        if (++followed > kMostLinksFollowed)
            throwFor(ELOOP, path);
        refuseForeignLink(candidate, info, path);
        char target[PATH_MAX];
        const ssize_t length = ::readlink(candidate.c_str(), target, sizeof target);
        if (length < 0)
            throwFor(errno, path);
        if (length == 0 || static_cast<std::size_t>(length) == sizeof target)
            throwFor(ENAMETOOLONG, path);
        const std::string next(target, static_cast<std::size_t>(length));
        // assign(count, char): GCC 12 at -O3 warns falsely (-Wrestrict) about `= "/"` here.
        if (next.front() == '/')
            resolved.assign(1, '/');
        pushParts(next, pending);
    }
    return resolved.empty() ? "." : resolved;
}

std::string absolutePath(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    return absolute.empty() ? path : absolute.lexically_normal().string();
}

// Permissions of a file created where none was: what the process's umask allows.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A temporary file only its owner can read. It stays locked (flock) while this run needs
// it, so that another run's clean-up leaves it alone.
struct Temporary {
    std::string path;
    Descriptor fd;
    Descriptor lock; // a second descriptor of the same open file: the lock outlives the close
};

// Whether `path` still names the open file `fd`.
bool stillNamed(const std::string& path, int fd) {
    struct stat named {};
    struct stat open {};
    return ::lstat(path.c_str(), &named) == 0 && ::fstat(fd, &open) == 0 && named.st_dev == open.st_dev &&
           named.st_ino == open.st_ino;
}

// Creates a locked temporary file in `folder`, trying new names on a collision; the error
// number of the last attempt when none could be made. Another run's clean-up may take a
// fresh file between its creation and its lock: such a file is given up for a new name.
int createTemporary(const std::string& folder, const std::string& stem, std::string_view marker,
                    Temporary& temporary) {
    for (int attempt = 0; attempt < kMostNameAttempts; ++attempt) {
        const std::string candidate = folder + '/' + stem + std::string(marker) + randomDigits();
        Descriptor fd(::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
        if (fd.get() < 0) {
            if (errno != EEXIST)
                return errno;
            continue;
        }
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 || !stillNamed(candidate, fd.get()))
            continue;
        temporary.path = candidate;
        temporary.lock.reset(::dup(fd.get()));
        temporary.fd.reset(::dup(fd.get()));
        if (temporary.fd.get() < 0 || temporary.lock.get() < 0) {
            const int error = errno;
            ::unlink(candidate.c_str());
            return error;
        }
        return 0;
    }
    return EEXIST;
}

// Removes what killed runs left: temporary files and old copies of this destination (same
// naming pattern, regular files of this user, locked by no running save and still under
// the name seen), never anything else.
void removeLeftovers(const std::string& folder, const std::string& stem) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    Descriptor folderFd(::dup(::dirfd(dir)));
    std::vector<std::string> doomed;
    while (const dirent* entry = ::readdir(dir))
        if (isTemporaryOf(entry->d_name, stem))
            doomed.emplace_back(entry->d_name);
    ::closedir(dir);
    if (doomed.empty())
        return;
    // A copy that a journal names is the only whole copy of an interrupted save's contents.
    const std::set<std::string> needed = journal::copiesStillNeeded();
    for (const std::string& name : doomed) {
        if (needed.contains(name))
            continue;
        Descriptor fd(::openat(folderFd.get(), name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        struct stat info {};
        struct stat named {};
        if (fd.get() >= 0 && ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid() && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(folderFd.get(), name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == info.st_dev && named.st_ino == info.st_ino)
            ::unlinkat(folderFd.get(), name.c_str(), 0);
    }
}

// Gives the temporary file the destination's owner and group; false when that is not
// permitted (the caller then copies in place, which keeps them).
bool takeOwnerAndGroup(int fd, const struct stat& destination) {
    struct stat own {};
    if (::fstat(fd, &own) != 0)
        return false;
    if (own.st_uid == destination.st_uid && own.st_gid == destination.st_gid)
        return true;
    return ::fchown(fd, destination.st_uid, destination.st_gid) == 0;
}

// Copies every extended attribute of the destination, its access list among them, to the
// temporary file; false when one cannot be read or set there (the caller then copies in
// place, which keeps them all).
bool copyAttributes(const std::string& real, int fd) {
    ssize_t size = ::llistxattr(real.c_str(), nullptr, 0);
    if (size < 0)
        return errno == ENOTSUP; // a file system without them: nothing to keep
    std::vector<char> names(static_cast<std::size_t>(size));
    if (size > 0 && (size = ::llistxattr(real.c_str(), names.data(), names.size())) < 0)
        return false;
    names.resize(static_cast<std::size_t>(size));
    for (std::size_t at = 0; at < names.size(); at += std::string_view(&names[at]).size() + 1) {
        const char* name = &names[at];
        ssize_t length = ::lgetxattr(real.c_str(), name, nullptr, 0);
        if (length < 0)
            return false;
        std::vector<char> value(static_cast<std::size_t>(length));
        if (length > 0 && (length = ::lgetxattr(real.c_str(), name, value.data(), value.size())) < 0)
            return false;
        if (::fsetxattr(fd, name, value.data(), static_cast<std::size_t>(length), 0) != 0)
            return false;
    }
    return true;
}

// Claims the room the larger of the two contents needs before the file is touched, so that
// a full disk stops the copy before it has begun; the file keeps its size meanwhile. A file
// system that cannot reserve gets zeros written past the old end instead. On failure the
// file is cut back to its old size.
int reserveSpace(int fd, off_t oldSize, off_t newSize) {
    const off_t larger = std::max(oldSize, newSize);
    int error = larger == 0 || ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, larger) == 0 ? 0 : errno;
    if (error == EOPNOTSUPP || error == ENOSYS || error == EINVAL) {
        const std::vector<std::uint8_t> zeros(static_cast<std::size_t>(larger - oldSize));
        error = posix::writeAllAt(fd, zeros.data(), zeros.size(), oldSize);
    }
    if (error != 0 && ::ftruncate(fd, oldSize) != 0) {
        // The reservation's error is the one reported: it says why the save stopped.
    }
    return error;
}

// Copies the complete new contents over the existing file, which keeps its inode and with
// it every hard link, its owner, its group and its attributes. Before the file is touched,
// its room is reserved and a complete copy of its old contents is flushed to a locked file
// beside the new copy, with a journal naming both; a failure afterwards puts the old contents
// back, or names where both copies are. Journal and copies are removed on success.
void copyInPlace(const std::string& path, const std::string& real, const struct stat& before,
                 const std::vector<std::uint8_t>& bytes, const std::string& newCopy,
                 const std::string& stem) {
    const std::string copyFolder = parentFolder(newCopy);
    Temporary oldCopy;
    std::string journalPath;
    // The journal goes first, so that no moment leaves it naming a copy that is gone.
    const auto removeJournalAndCopies = [&] {
        if (!journalPath.empty() && ::unlink(journalPath.c_str()) == 0)
            posix::syncFolder(parentFolder(journalPath));
        ::unlink(oldCopy.path.c_str());
        ::unlink(newCopy.c_str());
    };
    const auto refuse = [&](int errorNumber) {
        if (!journalPath.empty())
            ::unlink(journalPath.c_str());
        if (!oldCopy.path.empty())
            ::unlink(oldCopy.path.c_str());
        ::unlink(newCopy.c_str());
        throwFor(errorNumber, path);
    };
    // Without a journal in a folder of the user's own, a kill would leave the file torn.
    if (!journal::privateFolder(true)) {
        ::unlink(newCopy.c_str());
        //: %1 is the file to be saved
        throw UserError(
            Text(KORVLAND_TRANSLATABLE(
                "korvland::UserError",
                "%1 can only be saved in place, and this user has no home folder for its journal")),
            {path});
    }
    Descriptor fd(::open(real.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (fd.get() < 0)
        refuse(errno);
    struct stat now {};
    if (::fstat(fd.get(), &now) != 0)
        refuse(errno);
    // Something else took the name meanwhile.
    if (!S_ISREG(now.st_mode) || now.st_dev != before.st_dev || now.st_ino != before.st_ino)
        refuse(EACCES);

    std::vector<std::uint8_t> old;
    if (const int error = posix::readAllAt(fd.get(), now.st_size, old); error != 0)
        refuse(error);
    if (const int error = createTemporary(copyFolder, stem, kOldCopyMarker, oldCopy); error != 0)
        refuse(error);
    if (const int error = posix::writeAll(oldCopy.fd.get(), old.data(), old.size()); error != 0)
        refuse(error);
    if (::fsync(oldCopy.fd.get()) != 0 && errno != EINVAL)
        refuse(errno);
    if (const int error = oldCopy.fd.close(); error != 0)
        refuse(error);
    if (const int error = posix::syncFolder(copyFolder); error != 0)
        refuse(error);
    // From here on a kill leaves the file part-way; the journal tells the next program that
    // opens or saves it how to make it whole.
    const journal::Journal entry =
        journal::describe(now, old, bytes, absolutePath(oldCopy.path), absolutePath(newCopy));
    if (const int error = journal::write(now, entry, journalPath, absolutePath(real)); error != 0)
        refuse(error);
    const auto oldSize = static_cast<off_t>(old.size());
    const auto failAfterTouching = [&](int errorNumber, bool canRestore) {
        const bool restored = canRestore && journal::writeBlocks(fd.get(), old.data(), old.size()) == 0 &&
                              ::ftruncate(fd.get(), oldSize) == 0 &&
                              (::fsync(fd.get()) == 0 || errno == EINVAL);
        if (restored) {
            removeJournalAndCopies();
            throwFor(errorNumber, path);
        }
        // The journal stays: the next program that opens the file finishes the save.
        //: %1 is what went wrong ("Disk full"), %2 and %3 are paths
        throw UserError(Text(KORVLAND_TRANSLATABLE(
                            "korvland::UserError",
                            "%1; the old contents were kept as %2 and the complete new file as %3")),
                        {fileError(errorNumber, path), oldCopy.path, newCopy});
    };
    if (const int error = reserveSpace(fd.get(), oldSize, static_cast<off_t>(bytes.size())); error != 0) {
        struct stat after {};
        if (::fstat(fd.get(), &after) == 0 && after.st_size == oldSize)
            refuse(error);
        failAfterTouching(error, true);
    }
    if ((now.st_mode & (S_ISUID | S_ISGID)) != 0 && ::fchmod(fd.get(), now.st_mode & 0777) != 0)
        refuse(errno);
    // Block by block, so that a kill leaves every block the old or the new one.
    if (const int error = journal::writeBlocks(fd.get(), bytes.data(), bytes.size()); error != 0)
        failAfterTouching(error, true);
    if (::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0)
        failAfterTouching(errno, true);
    if (::fsync(fd.get()) != 0 && errno != EINVAL)
        failAfterTouching(errno, true);
    if (const int error = fd.close(); error != 0)
        failAfterTouching(error, false);
    removeJournalAndCopies();
}

// Opens and locks the existing destination, so that saves of one file take turns for the
// whole in-place copy, and a save that renames compares what is there with no copy under way.
// False when there is no file yet. A file that another save replaced while this one waited
// is locked anew.
bool lockDestination(const std::string& real, const std::string& path, struct stat& existing,
                     Descriptor& held) {
    for (int attempt = 0; attempt < kMostNameAttempts; ++attempt) {
        if (::lstat(real.c_str(), &existing) != 0)
            return false;
        // A fifo, a device or a folder is not ours to replace; nothing here opens it.
        if (!S_ISREG(existing.st_mode))
            throwFor(EACCES, path);
        held.reset(::open(real.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        if (held.get() < 0 && errno == EACCES)
            held.reset(::open(real.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        if (held.get() < 0) {
            if (errno == ENOENT)
                continue;
            throwFor(errno, path);
        }
        if (!posix::heldForUpdate(existing))
            posix::lockWithin(held.get(), path);
        if (stillNamed(real, held.get()) && ::fstat(held.get(), &existing) == 0)
            return true;
    }
    throwFor(EBUSY, path);
}

void replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (path.empty())
        throw UserError(invalidFilename());
    const std::string real = realDestination(path);
    const std::string folder = parentFolder(real);
    const std::string stem = temporaryStem(real);

    struct stat existing {};
    Descriptor held; // the destination's lock, until the save is over
    const bool exists = lockDestination(real, path, existing, held);
    if (exists) {
        // Write protection counts even where the folder would allow a rename.
        if (::faccessat(AT_FDCWD, real.c_str(), W_OK, AT_EACCESS) != 0)
            throwFor(errno, path);
        // What a killed save left half-done is made whole before this save compares or copies.
        journal::finishInterruptedSave(held.get(), existing, path, true);
        if (::fstat(held.get(), &existing) != 0)
            throwFor(errno, path);
    }

    // A rename would give other hard links the old contents: those files are copied over.
    bool inPlace = exists && existing.st_nlink > 1;
    Temporary temporary;
    std::string elsewhere; // the user's private folder, when the copies go there
    if (const int error = createTemporary(folder, stem, kTemporaryMarker, temporary); error != 0) {
        // A writable file in a folder we may not write: the copies are made in the user's own
        // folder, never in a shared one where another user could take their names first.
        const bool folderRefused = error == EACCES || error == EPERM || error == EROFS;
        if (!exists || !folderRefused)
            throwFor(error, path);
        elsewhere = journal::privateFolder(true).value_or("");
        if (elsewhere.empty() || createTemporary(elsewhere, stem, kTemporaryMarker, temporary) != 0)
            throwFor(error, path);
        inPlace = true;
    }
    const auto fail = [&](int errorNumber) {
        temporary.fd.close();
        ::unlink(temporary.path.c_str());
        throwFor(errorNumber, path);
    };

    if (const int error = posix::writeAll(temporary.fd.get(), bytes.data(), bytes.size()); error != 0)
        fail(error);
    if (!inPlace && exists && !takeOwnerAndGroup(temporary.fd.get(), existing)) {
        if (errno != EPERM)
            fail(errno);
        inPlace = true;
    }
    if (!inPlace) {
        // Set-user and set-group bits are never carried over; the rest of the mode is.
        const mode_t mode = exists ? (existing.st_mode & 0777) : newFileMode();
        if (::fchmod(temporary.fd.get(), mode) != 0)
            fail(errno);
        // After the mode, so that an access list's mask comes out as the destination's.
        if (exists && !copyAttributes(real, temporary.fd.get()))
            inPlace = true;
    }
    if (::fsync(temporary.fd.get()) != 0 && errno != EINVAL && errno != EROFS)
        fail(errno);
    if (const int error = temporary.fd.close(); error != 0) {
        ::unlink(temporary.path.c_str());
        throwFor(error, path);
    }

    if (inPlace) {
        copyInPlace(path, real, existing, bytes, temporary.path, stem);
    } else {
        if (::rename(temporary.path.c_str(), real.c_str()) != 0) {
            const int error = errno;
            ::unlink(temporary.path.c_str());
            throwFor(error, path);
        }
        if (const int error = posix::syncFolder(folder); error != 0)
            throwFor(error, path);
    }
    removeLeftovers(folder, stem);
    if (!elsewhere.empty() && elsewhere != folder)
        removeLeftovers(elsewhere, stem);
}

} // namespace

void posix::removeLeftoverCopies(const std::string& real) {
    const std::string stem = temporaryStem(real);
    removeLeftovers(parentFolder(real), stem);
    if (const std::optional<std::string> own = journal::privateFolder(false);
        own && *own != parentFolder(real))
        removeLeftovers(*own, stem);
}

void replaceFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    namingFile(path, [&] { replaceFile(path, bytes); });
}

} // namespace korvland
