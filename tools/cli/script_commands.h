#pragma once

#include "commands.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace korvland::cli {

// "-" as an output names standard output, which takes text only: an option writing a landmark
// file or a profile refuses it (a file of that name is written as "./-").
extern const CLI::Validator kNotStandardOutput;

// --region N (0 to 4) on a command that places markers or names the region, standing for the
// region the file's name gives, as the rasterizer's does.
CLI::Option* addRegionOption(CLI::App& command, int& region);
// The region given, or nothing.
std::optional<int> givenRegion(const CLI::Option* option, int region);

// The commands for scripts that report and end with a status of their own: check, diff and
// import. They keep their options here; main runs the one chosen.
class ScriptCommands {
  public:
    // Adds the three subcommands; the options of those `wanted` names only (see main).
    void addTo(CLI::App& app, const std::function<bool(std::string_view)>& wanted);

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
    std::string mDelimiter;
    int mRegion = 0;
    CLI::Option* mRegionOption = nullptr;
    bool mStrict = false;
    bool mKept = false;
};

} // namespace korvland::cli
