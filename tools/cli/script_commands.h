#pragma once

#include "commands.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace korvland::cli {

// "-" as an output names standard output, which takes text only: an option writing a landmark
// file or a profile refuses it (a file of that name is written as "./-").
extern const CLI::Validator kNotStandardOutput;

// The commands for scripts that report and end with a status of their own: check, diff and
// import. They keep their options here; main runs the one chosen.
class ScriptCommands {
  public:
    void addTo(CLI::App& app);

    bool chosen() const { return mChosen != nullptr; }
    // Runs the chosen command; a failure throws UserError, which ends it with failureExit().
    CommandResult run() const;
    int failureExit() const;

  private:
    CLI::App* mCheck = nullptr;
    CLI::App* mDiff = nullptr;
    CLI::App* mImport = nullptr;
    CLI::App* mChosen = nullptr;
    std::string mFile;
    std::string mOther;
    std::string mOut;
    std::string mFormat;
    std::string mProfile;
    std::string mTemplate;
    bool mStrict = false;
};

} // namespace korvland::cli
