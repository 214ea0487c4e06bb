// Safe replacement of a file: the new contents reach the destination whole or not at all,
// and the destination stays what it was to everyone else (its links, owner, group and
// permissions), the way a careful text editor saves.

#include "data/file_io.h"
#include "data/posix_file.h"
#include "data/user_error.h"

#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace korvland {

using posix::Descriptor;
using posix::parentFolder;
using posix::throwFor;

namespace {

constexpr std::string_view kTemporaryMarker = ".korvtmp-";
constexpr std::size_t kTemporaryRandomDigits = 16;
// A file name has at most 255 bytes; the temporary name adds a dot, the marker and the digits.
constexpr std::size_t kLongestNameKept = 200;
constexpr int kMostLinksFollowed = 40;
constexpr int kMostNameAttempts = 100;

std::string fileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// ".name.korvtmp-" for a destination: the start every temporary file of it shares.
std::string temporaryPrefix(const std::string& destination) {
    return '.' + fileNameOf(destination).substr(0, kLongestNameKept) + std::string(kTemporaryMarker);
}

// A fresh random part for every name, also in a child process that shares a parent's state.
std::string randomDigits() {
    std::random_device device;
    const auto value = (static_cast<unsigned long long>(device()) << 32) ^ device();
    char digits[kTemporaryRandomDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", value);
    return digits;
}

// Whether a name in the destination's folder is one of its temporary files.
bool isTemporaryOf(std::string_view name, const std::string& prefix) {
    if (name.size() != prefix.size() + kTemporaryRandomDigits || name.substr(0, prefix.size()) != prefix)
        return false;
    for (const char c : name.substr(prefix.size()))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

// The file a path names in the end: symbolic links are followed, also a last link whose
// target does not exist yet (the save creates it).
std::string realDestination(const std::string& path) {
    std::string current = path;
    for (int followed = 0; followed <= kMostLinksFollowed; ++followed) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), target, sizeof target);
        if (length < 0)
            throwFor(errno, path);
        if (length == 0 || static_cast<std::size_t>(length) == sizeof target)
            throwFor(ENAMETOOLONG, path);
        const std::string next(target, static_cast<std::size_t>(length));
        current = next.front() == '/' ? next : parentFolder(current) + '/' + next;
    }
    throwFor(ELOOP, path);
}

// Permissions of a file created where none was: what the process's umask allows.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A temporary file only its owner can read, holding the complete new contents. It stays
// locked (flock) while this run needs it, so that another run's clean-up leaves it alone.
struct Temporary {
    std::string path;
    Descriptor fd;
    Descriptor lock; // a second descriptor of the same open file: the lock outlives the close
};

// Creates a temporary file in `folder`, trying new names on a collision; the error number
// of the last attempt when none could be made.
int createTemporary(const std::string& folder, const std::string& prefix, Temporary& temporary) {
    for (int attempt = 0; attempt < kMostNameAttempts; ++attempt) {
        const std::string candidate = folder + '/' + prefix + randomDigits();
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd >= 0) {
            temporary.path = candidate;
            temporary.fd.reset(fd);
            temporary.lock.reset(::dup(fd));
            ::flock(fd, LOCK_EX | LOCK_NB);
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

// A power cut after a reported success must not bring the old directory entry back.
int syncFolder(const std::string& folder) {
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // A folder we may enter and write but not read cannot be flushed by us at all.
    if (fd.get() < 0)
        return errno == EACCES ? 0 : errno;
    if (::fsync(fd.get()) != 0 && errno != EINVAL)
        return errno;
    return 0;
}

// Removes what killed runs left: temporary files of this destination (same folder, same
// naming pattern, regular files of this user, locked by no running save), never anything else.
void removeLeftovers(const std::string& folder, const std::string& prefix, const std::string& keep) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    Descriptor folderFd(::dup(::dirfd(dir)));
    std::vector<std::string> doomed;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (isTemporaryOf(name, prefix) && name != keep)
            doomed.emplace_back(name);
    }
    ::closedir(dir);
    for (const std::string& name : doomed) {
        Descriptor fd(::openat(folderFd.get(), name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        struct stat info {};
        if (fd.get() >= 0 && ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid() && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
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

// Copies the complete new contents over the existing file, which keeps its inode and with
// it every hard link, its owner and its group. The temporary copy is removed on success;
// once the destination has been touched, a failure names where the complete copy is.
void copyInPlace(const std::string& path, const std::string& real, const struct stat& before,
                 const std::vector<std::uint8_t>& bytes, const std::string& copy) {
    const auto refuse = [&](int errorNumber) {
        ::unlink(copy.c_str());
        throwFor(errorNumber, path);
    };
    Descriptor fd(::open(real.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (fd.get() < 0)
        refuse(errno);
    struct stat now {};
    if (::fstat(fd.get(), &now) != 0)
        refuse(errno);
    // Something else took the name meanwhile.
    if (!S_ISREG(now.st_mode) || now.st_dev != before.st_dev || now.st_ino != before.st_ino)
        refuse(EACCES);
    if ((now.st_mode & (S_ISUID | S_ISGID)) != 0 && ::fchmod(fd.get(), now.st_mode & 0777) != 0)
        refuse(errno);

    const auto failAfterTouching = [&](int errorNumber) {
        throw UserError(fileErrorMessage(errorNumber, path) + "; the complete new file was kept as " + copy);
    };
    if (const int error = posix::writeAll(fd.get(), bytes.data(), bytes.size()); error != 0)
        failAfterTouching(error);
    if (::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0)
        failAfterTouching(errno);
    if (::fsync(fd.get()) != 0 && errno != EINVAL)
        failAfterTouching(errno);
    if (const int error = fd.close(); error != 0)
        failAfterTouching(error);
    ::unlink(copy.c_str());
}

void replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (path.empty())
        throw UserError("Invalid filename");
    const std::string real = realDestination(path);
    const std::string folder = parentFolder(real);
    const std::string prefix = temporaryPrefix(real);

    struct stat existing {};
    const bool exists = ::lstat(real.c_str(), &existing) == 0;
    if (exists) {
        // A fifo, a device or a folder is not ours to replace; nothing here opens it.
        if (!S_ISREG(existing.st_mode))
            throwFor(EACCES, path);
        // Write protection counts even where the folder would allow a rename.
        if (::faccessat(AT_FDCWD, real.c_str(), W_OK, AT_EACCESS) != 0)
            throwFor(errno, path);
    }

    // A rename would give other hard links the old contents: those files are copied over.
    bool inPlace = exists && existing.st_nlink > 1;
    Temporary temporary;
    if (const int error = createTemporary(folder, prefix, temporary); error != 0) {
        // A writable file in a folder we may not write: the copy is made elsewhere.
        const bool folderRefused = error == EACCES || error == EPERM || error == EROFS;
        if (!exists || !folderRefused)
            throwFor(error, path);
        std::error_code ignored;
        const std::string elsewhere = std::filesystem::temp_directory_path(ignored).string();
        if (const int again = createTemporary(elsewhere.empty() ? "/tmp" : elsewhere, prefix, temporary);
            again != 0)
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
    if (!inPlace) {
        if (exists && !takeOwnerAndGroup(temporary.fd.get(), existing)) {
            if (errno != EPERM)
                fail(errno);
            inPlace = true;
        }
    }
    if (!inPlace) {
        // Set-user and set-group bits are never carried over; the rest of the mode is.
        const mode_t mode = exists ? (existing.st_mode & 0777) : newFileMode();
        if (::fchmod(temporary.fd.get(), mode) != 0)
            fail(errno);
    }
    if (::fsync(temporary.fd.get()) != 0 && errno != EINVAL && errno != EROFS)
        fail(errno);
    if (const int error = temporary.fd.close(); error != 0) {
        ::unlink(temporary.path.c_str());
        throwFor(error, path);
    }

    if (inPlace) {
        copyInPlace(path, real, existing, bytes, temporary.path);
    } else {
        if (::rename(temporary.path.c_str(), real.c_str()) != 0) {
            const int error = errno;
            ::unlink(temporary.path.c_str());
            throwFor(error, path);
        }
        if (const int error = syncFolder(folder); error != 0)
            throwFor(error, path);
    }
    removeLeftovers(folder, prefix, fileNameOf(temporary.path));
}

} // namespace

void replaceFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    namingFile(path, [&] { replaceFile(path, bytes); });
}

} // namespace korvland
