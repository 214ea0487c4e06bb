#pragma once

// What the program keeps for itself (recovery copies, save journals, the one-editor socket)
// lives in folders only the user can enter, never in a shared place such as /tmp, where
// another user could make the name first or plant a link. Every such folder is reached here:
// each part of its path opened without following links, the folder itself the user's own and
// nobody else's to write, and the files in it read without blocking, regular files only,
// never more than their caller can use.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvland {

// The user's home folder: $HOME when set, else the one the user database names; nothing
// when neither names a folder.
std::optional<std::string> userHomeFolder();

// $XDG_STATE_HOME, else the home folder's .local/state; nothing when there is no home.
std::optional<std::string> userStateFolder();

// $XDG_CACHE_HOME, else the home folder's .cache; nothing when there is no home.
std::optional<std::string> userCacheFolder();

// Opens the absolute `folder`, making the parts that are missing for the user alone (0700).
// No part may be a link; the folder must be the user's own and writable by nobody else. The
// mode of a folder that was already there is left as it is. Returns 0 or the error number
// (ELOOP for a link, EACCES for a folder that is not the user's own).
int preparePrivateFolder(const std::string& folder);

// Whether `folder` is a private folder as above, made by nobody but the user: nothing is made.
bool isPrivateFolder(const std::string& folder);

// A file read from a private folder.
struct PrivateFile {
    enum class Status { Read, Missing, NotRegular, TooLarge, Unreadable };
    Status status = Status::Missing;
    std::vector<std::uint8_t> bytes;
    bool read() const { return status == Status::Read; }
};

// Reads the regular file `path` (the last part not a link, the user's own) without blocking
// on a pipe or device, refusing one larger than `limit` bytes without reading it.
PrivateFile readPrivateFile(const std::string& path, std::size_t limit);

} // namespace korvland
