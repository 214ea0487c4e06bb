#pragma once

// The journal of a save that copies over a file in place; part of the file layer, not for
// other code. Before the file is touched, a small journal in the user's private state folder
// says which file is being written, where the complete copies of its old and new contents
// lie, and what each block of both contents hashes to. A save killed part-way leaves it
// behind; whoever reads or saves that file next finishes the save from it (or puts the old
// contents back) when every block of the file is still the old or the new one, and only then
// removes journal and copies. A file changed since by another program is left alone.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace korvland::journal {

// The unit in which the file is written and compared: one page, which a kill never splits.
inline constexpr std::size_t kBlockSize = 4096;

// One side of the save: the size and hash of a content and where its complete copy lies.
struct Side {
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
    std::string copy;
};

struct Journal {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    Side before;
    Side after;
    // Per block of the longer content (the shorter read as zeros past its end): the hashes of
    // the old and the new block, and of blocks that a cut-short write of one content over the
    // other leaves where the shorter one ends.
    std::vector<std::uint64_t> oldBlocks;
    std::vector<std::uint64_t> newBlocks;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> partBlocks; // block index, hash
};

std::uint64_t contentHash(const std::uint8_t* data, std::size_t size);

// The journal of a save of the file `destination` describes from `before` to `after`.
Journal describe(const struct stat& destination, const std::vector<std::uint8_t>& before,
                 const std::vector<std::uint8_t>& after, const std::string& oldCopy,
                 const std::string& newCopy);

// The user's private folder of journals, made when missing if `make`; nothing when the user
// has none (or, unless `make`, when it is not there).
std::optional<std::string> privateFolder(bool make);

// Writes the journal of the save of `real` into the private folder, flushed with the folder;
// the error number, or 0. `written` names it. A journal cut short by a kill is known as such
// and dropped: the file had not been touched yet.
int write(const struct stat& destination, const Journal& journal, std::string& written,
          const std::string& real);

// Writes `size` bytes at the start of the file block by block; the error number, or 0.
int writeBlocks(int fd, const std::uint8_t* data, std::size_t size);

// The copies that journals still need, by file name: nothing may remove them.
std::set<std::string> copiesStillNeeded();

// Finishes (or rolls back) a save of the open regular file `fd` that was killed part-way,
// when its journal is found: afterwards the file holds its old contents or its new contents
// whole, journal and copies are gone, and the operator is told. A file that is neither whole
// nor block by block what the save can have left is left alone and its journal set aside,
// saying so. `exclusive` says the caller holds the file's exclusive lock already; otherwise
// the caller holds a shared one, which is made exclusive while the file is mended and shared
// again afterwards. Throws UserError naming `path` when the file cannot be made whole.
void finishInterruptedSave(int fd, const struct stat& info, const std::string& path, bool exclusive);

} // namespace korvland::journal
