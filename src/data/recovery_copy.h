#pragma once

#include "data/edit_steps.h"
#include "data/file_identity.h"
#include "data/landmark_record.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvland {

class LandmarkSet;

// Unsaved work kept while the editor runs, so that a crash, a kill or the end of a session
// loses nothing: a complete landmark file of the set as it stood (the copy, which every
// landmark tool reads) and a short text saying whose work it is (the description). Both live
// in a folder only their owner may enter, named after the file the work belongs to.

// The own type and sub-type of a switched-off record, which the copy carries as type 6.
struct KeptType {
    std::uint16_t index = 0;
    std::uint8_t type = 0;
    std::uint8_t subType = 0;
    bool operator==(const KeptType&) const = default;
};

struct RecoveryDescription {
    FileStamp original;                            // the file the work belongs to, as it was when read
    int unsavedSteps = 0;                          // changes since that file was read or saved
    std::int64_t writtenAt = 0;                    // seconds since 1970
    long processId = 0;                            // of the editor that wrote it
    std::uint64_t copyHash = 0;                    // of the copy written with this description
    std::array<std::uint8_t, kMaxRecords> flags{}; // every switched-off flag, a profile's 2 included
    std::vector<KeptType> keptTypes;
};

// The two files of one piece of unsaved work.
struct RecoveryFiles {
    std::string copy;
    std::string description;
};

// korvland/recovery in the user's state folder ($XDG_STATE_HOME, else the home folder's
// .local/state); nothing when the user has no home folder, and then no copy is kept.
std::optional<std::string> defaultRecoveryFolder();

// Where the work on `originalPath` is kept in `folder`: one pair of files per original file.
RecoveryFiles recoveryFilesFor(const std::string& folder, const std::string& originalPath);

// Writes the set's copy, then the steps that led to it from the original file when they are
// known, then its description, each by a safe replacement, readable by their owner alone, in
// `folder`, which is made (mode 0700) when missing and refused when it is not the user's own or
// is reached through a link. Throws UserError when a file cannot be written. Returns the files
// written.
RecoveryFiles writeRecoveryCopy(const std::string& folder, const LandmarkSet& set,
                                RecoveryDescription description,
                                const std::vector<EditStep>* steps = nullptr);

// Removes the files, steps included; what is already gone is no failure.
void removeRecoveryCopy(const RecoveryFiles& files);

// The description's text, and back; nothing when the text is not a description.
std::string describeRecovery(const RecoveryDescription& description);
std::optional<RecoveryDescription> parseRecoveryDescription(const std::string& text);

// One piece of kept work found in a recovery folder: both its files exist.
struct RecoveryEntry {
    RecoveryFiles files;
    RecoveryDescription description;
};

// Every piece of work kept in `folder`, the newest first; descriptions without their copy,
// or that cannot be read, are passed over. A description or a copy larger than this program
// writes is not read: its path goes to `passedOver`.
std::vector<RecoveryEntry> findRecoveryCopies(const std::string& folder,
                                              std::vector<std::string>* passedOver = nullptr);

// The work kept in `folder` for the file `path` names, when there is any.
std::optional<RecoveryEntry> recoveryCopyOf(const std::string& folder, const std::string& path);

// Whether the editor that wrote the work still runs, so that its copy is no one's to offer.
bool writerStillRuns(const RecoveryDescription& description);

// Reads the copy into `set` as the original file (its path, its name, its region), with the
// switched-off flags and the own types of switched-off records the description keeps. A copy
// that is not the one described (a kill between the two writes) is taken as it is. Throws
// UserError, and leaves the set as it was, when the copy cannot be read.
void readRecoveryCopy(LandmarkSet& set, const RecoveryEntry& entry);

} // namespace korvland
