#include "data/file_io.h"

#include "data/posix_file.h"
#include "data/save_journal.h"
#include "data/user_error.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace korvland {

using posix::Descriptor;
using posix::parentFolder;
using posix::throwFor;

namespace {

// How long a save or a read waits for another save of the same file to finish.
constexpr int kLockWaitMilliseconds = 5000;
constexpr int kLockPollMilliseconds = 10;

bool folderExists(const std::string& folder) {
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Reads from `fd` until its end or `limit` bytes, starting with room for `expected` bytes.
// A regular file of `regularSize` bytes, read short right at that size, is at its end: one
// read(2) takes a file that does not change meanwhile, and one that grows fills the room
// given and is read on.
template <typename Bytes>
Bytes readToEnd(int fd, const std::string& path, std::size_t limit, std::size_t expected,
                std::optional<std::size_t> regularSize = std::nullopt) {
    Bytes bytes(std::max<std::size_t>(expected, 1));
    std::size_t filled = 0;
    while (filled < limit) {
        if (filled == bytes.size())
            bytes.resize(std::min(limit, bytes.size() * 2));
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throwFor(errno, path);
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
        if (regularSize && filled == *regularSize && filled < bytes.size())
            break;
    }
    bytes.resize(filled);
    return bytes;
}

// The path of the open file, links resolved; `path` when the system does not tell.
std::string realPathOf(int fd, const std::string& path) {
    char target[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) == sizeof target || target[0] != '/')
        return path;
    return std::string(target, static_cast<std::size_t>(length));
}

// The files this process holds for an update, by device and inode.
std::mutex heldFilesMutex;
std::set<std::pair<std::uint64_t, std::uint64_t>> heldFiles;

std::function<void(const Message&)>& noticeHandler() {
    static std::function<void(const Message&)> handler;
    return handler;
}

} // namespace

FileUpdate::FileUpdate(const std::string& path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        if (fd.get() < 0 && errno == EACCES)
            fd.reset(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
        struct stat info {};
        if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
            posix::heldForUpdate(info))
            return;
        posix::lockWithin(fd.get(), path);
        // Another save may have replaced the file while this one waited: the new one is held.
        struct stat named {};
        if (::stat(path.c_str(), &named) != 0 || named.st_dev != info.st_dev || named.st_ino != info.st_ino)
            continue;
        mDevice = info.st_dev;
        mInode = info.st_ino;
        const std::lock_guard guard(heldFilesMutex);
        heldFiles.emplace(mDevice, mInode);
        mFd = ::dup(fd.get());
        return;
    }
    throwFor(EBUSY, path);
}

FileUpdate::~FileUpdate() {
    if (mFd < 0)
        return;
    const std::lock_guard guard(heldFilesMutex);
    heldFiles.erase({mDevice, mInode});
    ::close(mFd);
}

void setFileNoticeHandler(std::function<void(const Message&)> handler) {
    noticeHandler() = std::move(handler);
}

Message fileError(int errorNumber, const std::string& path) {
    switch (errorNumber) {
    case ENOENT:
        // The folder part missing is a bad name; the file missing in an existing folder is not found.
        return folderExists(parentFolder(path)) ? fileNotFound() : invalidFilename();
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        return invalidFilename();
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return Message(Text(KORVLAND_TRANSLATABLE("korvland::UserError", "File access denied")));
    case EMFILE:
    case ENFILE:
        return Message(Text(KORVLAND_TRANSLATABLE("korvland::UserError", "Too many open files")));
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return Message(Text(KORVLAND_TRANSLATABLE("korvland::UserError", "Disk full")));
    default:
        //: %1 is the operating system's error number
        return Message(Text(KORVLAND_TRANSLATABLE("korvland::UserError", "I/O error %1")),
                       {std::to_string(errorNumber)});
    }
}

std::string fileErrorMessage(int errorNumber, const std::string& path) {
    return fileError(errorNumber, path).english();
}

Message fileNotFound() {
    return Message(Text(KORVLAND_TRANSLATABLE("korvland::UserError", "File not found")));
}

Message invalidFilename() {
    return Message(Text(KORVLAND_TRANSLATABLE("korvland::UserError", "Invalid filename")));
}

std::vector<std::uint8_t> readWholeFile(const std::string& path, std::size_t limit) {
    const FileBuffer bytes = readFileBuffer(path, limit);
    return {bytes.begin(), bytes.end()};
}

FileBuffer readFileBuffer(const std::string& path, std::size_t limit) {
    if (path.empty())
        throw UserError(fileNotFound());
    // Not blocking, so that a pipe without a writer cannot hang the open.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        throwFor(errno, path);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        throwFor(errno, path);
    if (S_ISDIR(info.st_mode))
        throwFor(EISDIR, path);
    // A device or pipe is no landmark file: reading one could block or never end.
    if (!S_ISREG(info.st_mode))
        throwFor(EACCES, path);
    // The whole read under the shared lock, so that an in-place save cannot start under it
    // (unless this process holds the file for an update already).
    const bool held = posix::heldForUpdate(info);
    if (!held)
        posix::lockWithin(fd.get(), path, true);
    // A save killed while it copied over this file in place is finished first, and what
    // killed saves of it left is cleared away.
    journal::finishInterruptedSave(fd.get(), info, path, held);
    posix::removeLeftoverCopies(realPathOf(fd.get(), path));
    if (::fstat(fd.get(), &info) != 0)
        throwFor(errno, path);
    // Read straight into the result, never more than the caller can use; the loop also
    // copes with a file that grows meanwhile.
    const auto size = static_cast<std::size_t>(info.st_size);
    return readToEnd<FileBuffer>(fd.get(), path, limit, std::min(size, limit) + (size < limit ? 1 : 0), size);
}

FileBuffer readStandardInput(std::size_t limit) {
    // A pipe says nothing of its size: start with room for a landmark file of 1024 records.
    return readToEnd<FileBuffer>(STDIN_FILENO, "-", limit, std::min<std::size_t>(limit, 65536));
}

FileBuffer readFileWithin(const std::string& path, std::size_t limit, const Message& tooLarge) {
    FileBuffer bytes = readFileBuffer(path, limit + 1);
    if (bytes.size() > limit)
        throw UserError(tooLarge);
    return bytes;
}

FileBuffer readStandardInputWithin(std::size_t limit, const Message& tooLarge) {
    FileBuffer bytes = readStandardInput(limit + 1);
    if (bytes.size() > limit)
        throw UserError(tooLarge);
    return bytes;
}

namespace posix {

std::string parentFolder(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

void throwFor(int errorNumber, const std::string& path) {
    throw UserError(fileError(errorNumber, path));
}

int writeAll(int fd, const unsigned char* data, std::size_t size) {
    std::size_t written = 0;
    while (written < size) {
        const ssize_t put = ::write(fd, data + written, size - written);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        written += static_cast<std::size_t>(put);
    }
    return 0;
}

int writeAllAt(int fd, const std::uint8_t* data, std::size_t size, off_t offset) {
    std::size_t written = 0;
    while (written < size) {
        const ssize_t put =
            ::pwrite(fd, data + written, size - written, offset + static_cast<off_t>(written));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (put == 0)
            return ENOSPC;
        written += static_cast<std::size_t>(put);
    }
    return 0;
}

int readAllAt(int fd, off_t size, std::vector<std::uint8_t>& bytes) {
    bytes.resize(static_cast<std::size_t>(size));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got =
            ::pread(fd, bytes.data() + filled, bytes.size() - filled, static_cast<off_t>(filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return 0;
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

bool heldForUpdate(const struct stat& info) {
    const std::lock_guard guard(heldFilesMutex);
    return heldFiles.contains({info.st_dev, info.st_ino});
}

void tellOperator(const Message& message) {
    if (noticeHandler())
        noticeHandler()(message);
}

void lockWithin(int fd, const std::string& path, bool shared) {
    for (int waited = 0; ::flock(fd, (shared ? LOCK_SH : LOCK_EX) | LOCK_NB) != 0;
         waited += kLockPollMilliseconds) {
        if (errno == EINTR)
            continue;
        // A file system without locks is read as before; only saves insist on taking turns.
        if (shared && (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL))
            return;
        if (errno != EWOULDBLOCK)
            throwFor(errno, path);
        if (waited >= kLockWaitMilliseconds)
            throw UserError(Text(KORVLAND_TRANSLATABLE(
                "korvland::UserError", "Another program is still saving this file; try again in a moment")));
        const timespec pause{0, kLockPollMilliseconds * 1000000L};
        ::nanosleep(&pause, nullptr);
    }
}

} // namespace posix

} // namespace korvland
