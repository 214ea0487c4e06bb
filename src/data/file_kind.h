#pragma once

#include "data/user_error.h"

#include <cstdint>
#include <span>
#include <string>

namespace korvland {

// What a file holds, told by its content rather than its name: operators name files freely,
// and a profile written over a landmark file loses the landmarks for good.
enum class FileKind {
    Landmarks, // a header whose record count is 1 to 1024 and a size that holds every record
    Profile,   // exactly 1154 bytes that read as a profile
    Other,     // anything else, and a file that is missing or cannot be read
};

// The kind of a file whose first bytes are `head` (at least 1154 of them where it has them)
// and whose whole size is `size`.
FileKind fileKindOf(std::span<const std::uint8_t> head, std::uint64_t size);
inline FileKind fileKindOf(std::span<const std::uint8_t> bytes) {
    return fileKindOf(bytes, bytes.size());
}

// The kind of the regular file at `path` (links followed), read with read access only.
FileKind fileKindAt(const std::string& path);

// "landmarks" or "a profile", as in "'x.dat' holds landmarks, not a profile".
Message heldText(FileKind kind);

// Refuses (UserError) to replace `path` when it holds the other of the two kinds than
// `writing`, so that a command-line run cannot silently turn one into the other. A missing
// file, or one of neither kind, may be replaced.
void refuseOtherKind(const std::string& path, FileKind writing);

} // namespace korvland
