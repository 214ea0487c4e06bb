#pragma once

// The journal of a save that copies over a file in place; part of the file layer, not for
// other code. Before the file is touched, a small journal beside the complete copies of its
// old and new contents says which file is being written and what both contents hash to.
// A save killed part-way leaves it behind; whoever opens or saves that file next finishes
// the save from it (or puts the old contents back), and only then removes journal and copies.

#include <cstdint>
#include <set>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace korvland::journal {

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
};

std::uint64_t contentHash(const std::uint8_t* data, std::size_t size);

// The journal's path for the file `destination` describes, in `folder`.
std::string pathIn(const std::string& folder, const struct stat& destination);

// Writes the journal of the save of `real` into `folder`, flushed with the folder; the error
// number, or 0. `written` names it. A journal cut short by a kill is known as such and
// dropped: the file had not been touched yet.
int write(const std::string& folder, const struct stat& destination, const Journal& journal,
          std::string& written, const std::string& real);

// The copies that journals in `folder` still need, by name: nothing may remove them.
std::set<std::string> copiesStillNeeded(const std::string& folder, const std::vector<std::string>& journals);

// Whether a name is a journal's.
bool isJournalName(const std::string& name);

// Finishes (or rolls back) a save of the open regular file `fd` that was killed part-way,
// when its journal lies beside it or in the temporary folder: afterwards the file holds its
// old contents or its new contents whole, and journal and copies are gone. Waits a few
// seconds for a save that is still running; `locked` says the caller holds the file's lock
// already. Throws UserError naming `path` when the file cannot be made whole.
void finishInterruptedSave(int fd, const struct stat& info, const std::string& path, bool locked);

} // namespace korvland::journal
