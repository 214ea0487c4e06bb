#include "data/file_io.h"

#include "data/user_error.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace korvland {

namespace {

std::string parentFolder(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

bool folderExists(const std::string& folder) {
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

[[noreturn]] void throwFor(int errorNumber, const std::string& path) {
    throw UserError(fileErrorMessage(errorNumber, path));
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : mFd(fd) {}
    ~Descriptor() {
        if (mFd >= 0)
            ::close(mFd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return mFd; }
    // Closes now and reports the close's own error number (0 on success).
    int close() {
        const int result = ::close(mFd);
        mFd = -1;
        return result == 0 ? 0 : errno;
    }

  private:
    int mFd;
};

std::string temporaryNameBeside(const std::string& path) {
    static std::mt19937_64 generator{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".korvtmp-%016llx", static_cast<unsigned long long>(generator()));
    // Only the start of a long file name, so that the temporary name stays a valid name.
    const std::string name = std::filesystem::path(path).filename().string().substr(0, 100);
    return parentFolder(path) + "/." + name + suffix;
}

} // namespace

std::string fileErrorMessage(int errorNumber, const std::string& path) {
    switch (errorNumber) {
    case ENOENT:
        // The folder part missing is a bad name; the file missing in an existing folder is not found.
        return folderExists(parentFolder(path)) ? "File not found" : "Invalid filename";
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return "Invalid filename";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return "File access denied";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "Disk full";
    default:
        return "I/O error " + std::to_string(errorNumber);
    }
}

std::vector<std::uint8_t> readWholeFile(const std::string& path, std::size_t limit) {
    if (path.empty())
        throw UserError("File not found");
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
    // Read straight into the result, never more than the caller can use; the loop also
    // copes with a file that grows meanwhile.
    const auto size = static_cast<std::size_t>(info.st_size);
    std::vector<std::uint8_t> bytes(std::min(size, limit) + (size < limit ? 1 : 0));
    std::size_t filled = 0;
    while (filled < limit) {
        if (filled == bytes.size())
            bytes.resize(std::min(limit, bytes.size() * 2));
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throwFor(errno, path);
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

void replaceFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (path.empty())
        throw UserError("Invalid filename");
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode))
        throwFor(EISDIR, path);

    const std::string temporary = temporaryNameBeside(path);
    int fdNumber = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fdNumber < 0)
        throwFor(errno, path);
    Descriptor fd(fdNumber);
    auto fail = [&](int errorNumber) {
        fd.close();
        ::unlink(temporary.c_str());
        throwFor(errorNumber, path);
    };
    // A replaced file keeps the permissions it had.
    if (::stat(path.c_str(), &existing) == 0)
        ::fchmod(fd.get(), existing.st_mode & 07777);

    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t put = ::write(fd.get(), bytes.data() + written, bytes.size() - written);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        written += static_cast<std::size_t>(put);
    }
    if (::fsync(fd.get()) != 0 && errno != EINVAL && errno != EROFS)
        fail(errno);
    if (const int closeError = fd.close(); closeError != 0) {
        ::unlink(temporary.c_str());
        throwFor(closeError, path);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        throwFor(renameError, path);
    }
}

} // namespace korvland
