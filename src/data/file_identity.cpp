#include "data/file_identity.h"

#include "data/posix_file.h"
#include "data/user_error.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>

namespace korvland {

namespace {

std::optional<struct stat> statOf(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return info;
}

std::int64_t modifiedNs(const struct stat& info) {
    return std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
}

std::string resolved(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::weakly_canonical(path, error);
    return error ? path : full.string();
}

// FNV-1a over 64-bit words, then the bytes left over: enough to tell another program's
// change from the bytes we know, and fast enough for the largest file a header can describe.
constexpr std::uint64_t kHashStart = 14695981039346656037ull;
constexpr std::uint64_t kHashPrime = 1099511628211ull;
std::uint64_t hashOn(std::uint64_t hash, const unsigned char* data, std::size_t size) {
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, sizeof word);
        hash = (hash ^ word) * kHashPrime;
    }
    for (; i < size; ++i)
        hash = (hash ^ data[i]) * kHashPrime;
    return hash;
}

} // namespace

bool sameFile(const std::string& a, const std::string& b) {
    const auto first = statOf(a);
    const auto second = statOf(b);
    return first && second && first->st_dev == second->st_dev && first->st_ino == second->st_ino;
}

void refuseOutputThatIsAnInput(const std::string& output, std::span<const std::string> inputs) {
    for (const std::string& input : inputs)
        if (sameFile(output, input))
            throw UserError(Text(KORVLAND_TRANSLATABLE(
                                "korvland::UserError",
                                "'%1' is the same file as the input '%2'; write the output to another file")),
                            {output, input});
}

bool FileStamp::names(const std::string& other) const {
    const auto info = statOf(other);
    if (info && info->st_dev == device && info->st_ino == inode)
        return true;
    return resolved(other) == resolvedPath;
}

// The buffer of a stamp's reads: the hash goes over whole buffers, then the rest.
constexpr std::size_t kHashBlock = 65536;

std::uint64_t contentHash(std::span<const std::uint8_t> bytes) {
    std::uint64_t hash = kHashStart;
    for (std::size_t at = 0; at < bytes.size(); at += kHashBlock)
        hash = hashOn(hash, bytes.data() + at, std::min(kHashBlock, bytes.size() - at));
    return hash;
}

std::optional<FileStamp> stampFile(const std::string& path) {
    // Not blocking, so that a pipe put in the file's place cannot hang the editor.
    posix::Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    FileStamp stamp{path, resolved(path), info.st_dev, info.st_ino, 0, modifiedNs(info), kHashStart};
    // The buffer is hashed only when full (or at the end), so that the hash does not depend
    // on how the reads happen to split the file.
    std::array<unsigned char, kHashBlock> buffer{};
    std::size_t filled = 0;
    for (bool atEnd = false; !atEnd;) {
        const ssize_t got = ::read(fd.get(), buffer.data() + filled, buffer.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        atEnd = got == 0;
        filled += static_cast<std::size_t>(got);
        if (filled == buffer.size() || atEnd) {
            stamp.hash = hashOn(stamp.hash, buffer.data(), filled);
            stamp.size += filled;
            filled = 0;
        }
    }
    return stamp;
}

bool changedSince(const FileStamp& stamp) {
    const auto info = statOf(stamp.path);
    if (!info)
        return false;
    if (info->st_dev == stamp.device && info->st_ino == stamp.inode &&
        static_cast<std::uint64_t>(info->st_size) == stamp.size && modifiedNs(*info) == stamp.modifiedNs)
        return false;
    const auto now = stampFile(stamp.path);
    // A file in its place that cannot be read is not the file we know.
    return !now || now->size != stamp.size || now->hash != stamp.hash;
}

void FileMemory::read(const std::string& path) {
    mStamps.clear();
    remember(path);
}

void FileMemory::wrote(const std::string& path) {
    std::erase_if(mStamps, [&](const FileStamp& stamp) { return stamp.names(path); });
    remember(path);
}

void FileMemory::readAs(FileStamp stamp) {
    mStamps.clear();
    mStamps.push_back(std::move(stamp));
}

std::optional<FileStamp> FileMemory::stampOf(const std::string& path) const {
    const auto known = std::find_if(mStamps.begin(), mStamps.end(),
                                    [&](const FileStamp& stamp) { return stamp.names(path); });
    if (known == mStamps.end())
        return std::nullopt;
    return *known;
}

void FileMemory::remember(const std::string& path) {
    if (std::optional<FileStamp> stamp = stampFile(path))
        mStamps.push_back(std::move(*stamp));
}

bool FileMemory::changedByAnother(const std::string& path) const {
    const std::optional<FileStamp> known = stampOf(path);
    return known && changedSince(*known);
}

} // namespace korvland
