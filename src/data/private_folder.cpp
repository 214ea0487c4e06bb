#include "data/private_folder.h"

#include "data/posix_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvland {

namespace {

// A value of the XDG variables that is not absolute is ignored, as the base folders require.
std::optional<std::string> absoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value && value[0] == '/')
        return std::string(value);
    return std::nullopt;
}

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<std::string> underHome(const char* variable, const char* below) {
    if (std::optional<std::string> set = absoluteVariable(variable))
        return set;
    if (std::optional<std::string> home = userHomeFolder())
        return *home + below;
    return std::nullopt;
}

// Opens the folder `part` in `parent` (O_PATH: a folder on the way that we may enter but not
// list is no obstacle), making it for the user alone when missing. A link is refused (ELOOP)
// as anything else that is no folder.
int openPart(int parent, const std::string& part, bool allowMaking, posix::Descriptor& opened) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        opened.reset(::openat(parent, part.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (opened.get() >= 0)
            return 0;
        if (errno != ENOENT || !allowMaking)
            return errno == ENOTDIR ? ELOOP : errno;
        // Only a folder made here is given its mode: one that was there keeps what its owner
        // chose (and a link planted in its place is never followed to change another's).
        if (::mkdirat(parent, part.c_str(), 0700) != 0) {
            if (errno != EEXIST)
                return errno;
        } else if (::fchmodat(parent, part.c_str(), 0700, AT_SYMLINK_NOFOLLOW) != 0 && errno != ENOTSUP) {
            return errno;
        }
    }
    return ENOENT;
}

// Walks `folder` part by part from the root; 0 when it ends in a folder of the user's own.
int walk(const std::string& folder, bool allowMaking) {
    if (folder.empty() || folder.front() != '/')
        return EINVAL;
    posix::Descriptor current(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (current.get() < 0)
        return errno;
    for (std::size_t start = 1; start <= folder.size();) {
        std::size_t end = folder.find('/', start);
        if (end == std::string::npos)
            end = folder.size();
        if (end > start) {
            posix::Descriptor next;
            if (const int error =
                    openPart(current.get(), folder.substr(start, end - start), allowMaking, next);
                error != 0)
                return error;
            current.reset(::dup(next.get()));
            if (current.get() < 0)
                return errno;
        }
        start = end + 1;
    }
    struct stat info {};
    if (::fstat(current.get(), &info) != 0)
        return errno;
    return info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0 ? 0 : EACCES;
}

} // namespace

std::optional<std::string> userHomeFolder() {
    if (std::optional<std::string> home = absoluteVariable("HOME"); home && isFolder(*home))
        return home;
    // Without HOME (a service, `env -i`), the user database still knows the home folder.
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir || found->pw_dir[0] != '/' || !isFolder(found->pw_dir))
        return std::nullopt;
    return std::string(found->pw_dir);
}

std::optional<std::string> userStateFolder() {
    return underHome("XDG_STATE_HOME", "/.local/state");
}

std::optional<std::string> userCacheFolder() {
    return underHome("XDG_CACHE_HOME", "/.cache");
}

int preparePrivateFolder(const std::string& folder) {
    return walk(folder, true);
}

bool isPrivateFolder(const std::string& folder) {
    return walk(folder, false) == 0;
}

PrivateFile readPrivateFile(const std::string& path, std::size_t limit) {
    using Status = PrivateFile::Status;
    PrivateFile file;
    posix::Descriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        file.status = errno == ENOENT  ? Status::Missing
                      : errno == ELOOP ? Status::NotRegular
                                       : Status::Unreadable;
        return file;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        file.status = Status::Unreadable;
        return file;
    }
    if (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        file.status = Status::NotRegular;
        return file;
    }
    if (static_cast<std::uint64_t>(info.st_size) > limit) {
        file.status = Status::TooLarge;
        return file;
    }
    // Room for one byte more than the file had, so that one that grows meanwhile is read on,
    // and one byte more than allowed tells a file that grew too large.
    file.bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == file.bytes.size()) {
            if (filled > limit)
                break;
            file.bytes.resize(std::min(limit, filled * 2) + 1);
        }
        const ssize_t got = ::read(fd.get(), file.bytes.data() + filled, file.bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            file.status = Status::Unreadable;
            file.bytes.clear();
            return file;
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    file.bytes.resize(filled);
    file.status = filled > limit ? Status::TooLarge : Status::Read;
    if (!file.read())
        file.bytes.clear();
    return file;
}

} // namespace korvland
