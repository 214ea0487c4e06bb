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

Message heldText(FileKind kind) {
    switch (kind) {
    case FileKind::Landmarks:
        //: what a file holds, filled into "'%1' holds %2, not %3; ..."
        return Message(Text(KORVLAND_TRANSLATABLE("korvland::UserError", "landmarks")));
    case FileKind::Profile:
        //: what a file holds, filled into "'%1' holds %2, not %3; ..."
        return Message(Text(KORVLAND_TRANSLATABLE("korvland::UserError", "a profile")));
    case FileKind::Other:
        break;
    }
    //: what a file holds, filled into "'%1' holds %2, not %3; ..."
    return Message(Text(KORVLAND_TRANSLATABLE("korvland::UserError", "something else")));
}

void refuseOtherKind(const std::string& path, FileKind writing) {
    const FileKind held = fileKindAt(path);
    if (held == FileKind::Other || held == writing)
        return;
    //: %1 is a path; %2 and %3 are "landmarks", "a profile" or "something else"
    throw UserError(
        Text(KORVLAND_TRANSLATABLE("korvland::UserError",
                                   "'%1' holds %2, not %3; remove it first or choose another name")),
        {path, heldText(held), heldText(writing)});
}

} // namespace korvland
