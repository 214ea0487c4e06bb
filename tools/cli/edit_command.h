#pragma once

#include "record_chooser.h"

#include "data/bulk_edit.h"

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace korvland::cli {

// What an edit leaves: the bytes or text for standard output, the lines for standard error
// (without the program's name) and the exit status.
struct EditResult {
    std::string output;
    std::vector<std::string> messages;
    int exitCode = 0;
};

// `edit`: the editor's edits of many landmarks (switching on and off, side, type) on the
// landmarks a script chooses, written as "Save Landmark" writes them.
class EditCommand {
  public:
    // Adds the subcommand; its options only when `wanted` (see main).
    void addTo(CLI::App& app, bool wanted);

    bool chosen() const { return mChosen; }
    // A file that cannot be read or written throws UserError, and nothing is written.
    EditResult run() const;

  private:
    void takeChoiceAndActions();

    CLI::App* mCommand = nullptr;
    bool mChosen = false;
    std::string mFile;
    std::string mOut;
    std::string mProfile;
    std::string mFormat = "text";
    bool mDryRun = false;
    // The choice, as typed and as read.
    std::string mName;
    std::vector<std::string> mKinds;
    std::string mSide;
    std::string mState;
    std::string mWithin;
    std::string mRecords;
    std::string mIds;
    bool mAll = false;
    RecordChooser mChooser;
    unsigned mLastRecord = 0;
    // The actions, as typed and, in the order given, as read.
    std::vector<std::string> mSetSides;
    std::vector<std::string> mSetTypes;
    std::vector<LandmarkEdit> mEdits;
};

} // namespace korvland::cli
