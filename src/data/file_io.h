#pragma once

#include "data/user_error.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace korvland {

// The file layer: whole-file reads and safe replacement of files. Failures throw
// UserError with the operator-facing texts ("File not found", "Invalid filename",
// "Too many open files", "File access denied", "Read beyond end of file",
// "Disk full", "I/O error %d").

// The message for an operating-system error number met while opening or using `path`.
// ENOENT tells "File not found" from "Invalid filename" by whether the folder exists.
Message fileError(int errorNumber, const std::string& path);
// The same in English.
std::string fileErrorMessage(int errorNumber, const std::string& path);
Message fileNotFound();
Message invalidFilename();

// An allocator that leaves bytes uncleared where a read is about to fill them.
template <typename T> struct UnclearedAllocator : std::allocator<T> {
    template <typename U> struct rebind { using other = UnclearedAllocator<U>; };
    UnclearedAllocator() = default;
    template <typename U> UnclearedAllocator(const UnclearedAllocator<U>&) noexcept {}
    template <typename U> void construct(U* at) noexcept { ::new (static_cast<void*>(at)) U; }
    template <typename U, typename... Args> void construct(U* at, Args&&... args) {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
};
using FileBuffer = std::vector<std::uint8_t, UnclearedAllocator<std::uint8_t>>;

// As readWholeFile, into storage not cleared first: for landmark files, read often. Like
// every read of a file, first finishes a save of it that was killed part-way.
FileBuffer readFileBuffer(const std::string& path,
                          std::size_t limit = std::numeric_limits<std::size_t>::max());

// Reads the whole file, or its first `limit` bytes when it is longer. Needs only read
// access; refuses anything but a regular file ("File access denied").
std::vector<std::uint8_t> readWholeFile(const std::string& path,
                                        std::size_t limit = std::numeric_limits<std::size_t>::max());

// Reads standard input to its end, or its first `limit` bytes: a pipe or a file given as "-".
FileBuffer readStandardInput(std::size_t limit = std::numeric_limits<std::size_t>::max());

// As readFileBuffer and readStandardInput, but input longer than `limit` is refused with
// `tooLarge` rather than cut: what was cut off would be lost without a word.
FileBuffer readFileWithin(const std::string& path, std::size_t limit, const Message& tooLarge);
FileBuffer readStandardInputWithin(std::size_t limit, const Message& tooLarge);

// Replaces the file `path` names with `bytes`, whole or not at all. Symbolic links are
// followed and the real file is replaced, so a link stays a link; in a sticky folder that
// everyone may write, a link is followed only when it is the user's own or the folder
// owner's ("File access denied" otherwise). The new contents go to a temporary file beside
// it (readable by its owner only until it takes the final mode and the extended attributes,
// access list included), flushed, then renamed over the file, and the folder is flushed.
// Where a rename would lose something (more hard links, an owner, group or attribute that
// cannot be kept, a folder that takes no new file) the complete copy is made first (in the
// user's private state folder when the file's folder takes none, never a shared one), the room for the larger
// of the two contents is reserved, a complete copy of the old contents is flushed beside the new one, and
// only then is the file copied over in place; a failure there puts the old contents back, or names where both
// copies are. Set-user and set-group bits are dropped. Saves of one file take turns: each holds an exclusive
// lock on the existing file for its whole course, and one that cannot have it within a few seconds fails
// saying so; every read holds a shared lock, so none sees a copy half-done. Before an in-place copy touches
// the file, a journal in the user's private state folder names the copies and the hashes of every block of
// both contents; a save killed part-way is finished (or rolled back) from it by the next read or save of that
// file, when the file is still block by block what the save left. A destination that is not a regular file,
// or that the user may not write, is refused with "File access denied". Temporary files and old copies of the
// same destination left by a killed run (this user's, by their fixed naming pattern) are removed by the next
// read or successful save of it, never one that a running save holds or a journal still needs; on failure no
// temporary file of this run is left behind unless the message names it.
void replaceFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Holds the existing file `path` names for a read followed by a save over it: another
// program's read, save or update of the file waits until this one is over (a few seconds at
// most, then fails saying so), so that two programs that change one file at once each keep
// their change. This process's own reads and saves of the file go on meanwhile. Nothing is
// held when there is no such regular file (the save then reports what is wrong).
class FileUpdate {
  public:
    explicit FileUpdate(const std::string& path);
    ~FileUpdate();
    FileUpdate(const FileUpdate&) = delete;
    FileUpdate& operator=(const FileUpdate&) = delete;

  private:
    int mFd = -1;
    std::uint64_t mDevice = 0;
    std::uint64_t mInode = 0;
};

// What the file layer does of its own accord while reading or saving ("finished an
// interrupted save of F") goes to `handler`; nowhere until one is set.
void setFileNoticeHandler(std::function<void(const Message&)> handler);

} // namespace korvland
