#include "data/file_kind.h"

#include "data/file_io.h"
#include "data/landmark_record.h"
#include "data/profile_file.h"
#include "data/user_error.h"

#include <sys/stat.h>

namespace korvland {

namespace {

std::uint16_t u16At(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

// The header's count and record size as the reader takes them, and a file long enough for
// the last record's fields.
bool holdsLandmarks(std::span<const std::uint8_t> head, std::uint64_t size) {
    if (head.size() < 26)
        return false;
    const std::uint64_t count = u16At(head, 20);
    const std::uint64_t recordSize = u16At(head, 22);
    return count >= 1 && count <= kMaxRecords &&
           size >= kHeaderSize + (count - 1) * recordSize + kRecordFieldsSize;
}

} // namespace

FileKind fileKindOf(std::span<const std::uint8_t> head, std::uint64_t size) {
    // A profile whose path has 21 characters reads as a small landmark header: the stricter
    // test goes first.
    if (size == kProfileSize && head.size() >= kProfileSize && !profileProblem(head.first(kProfileSize)))
        return FileKind::Profile;
    return holdsLandmarks(head, size) ? FileKind::Landmarks : FileKind::Other;
}

FileKind fileKindAt(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return FileKind::Other;
    try {
        return fileKindOf(readWholeFile(path, kProfileSize), static_cast<std::uint64_t>(info.st_size));
    } catch (const UserError&) {
        // What cannot be read is told nothing about here; the write reports its own failure.
        return FileKind::Other;
    }
}

const char* heldText(FileKind kind) {
    switch (kind) {
    case FileKind::Landmarks:
        return "landmarks";
    case FileKind::Profile:
        return "a profile";
    case FileKind::Other:
        break;
    }
    return "something else";
}

void refuseOtherKind(const std::string& path, FileKind writing) {
    const FileKind held = fileKindAt(path);
    if (held == FileKind::Other || held == writing)
        return;
    throw UserError("'" + path + "' holds " + heldText(held) + ", not " + heldText(writing) +
                    "; remove it first or choose another name");
}

} // namespace korvland
