#pragma once

#include "data/file_io.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvland::cli {

// Each command does what the editor's command of the same meaning does, through the same
// operations of the landmark set. Failures throw UserError with the editor's message and
// write nothing; commands that print return their text.

// `region`, when given, stands for the one the file's name gives (as the rasterizer's --region).
std::string infoCommand(const std::string& file, std::optional<int> region = std::nullopt);
// `forTerminal`: standard output is a terminal, where CSV shows names' control characters
// escaped (JSON escapes them always).
std::string exportCommand(const std::string& file, const std::string& format, bool forTerminal = false);
void compileCommand(const std::string& file, const std::optional<std::string>& profile,
                    const std::string& out);
void profileCommand(const std::string& file, const std::string& out);
void openProfileCommand(const std::string& profile, const std::string& out);
void demoCommand(int region, const std::string& out);

// "-" as an input is standard input, read whole; input longer than `limit` is refused, never cut.
FileBuffer readInput(const std::string& file, std::size_t limit, const Message& tooLarge);
// Writes text to a file through the safe replacement.
// Writes an export's text; never over the landmark file it was made from.
void writeTextFile(const std::string& path, const std::string& text, const std::string& input);

// What a command that reports prints and the status it ends with.
struct CommandResult {
    std::string output;
    int exitCode = 0;
};

// Findings as text or JSON; status 1 when one is an error (any warning too, when strict), else
// 0. A file that cannot be read is a finding too. Markers are compared in `region`, else in the
// one the file's name gives; with neither they are not.
CommandResult checkCommand(const std::string& file, const std::optional<std::string>& profile, bool json,
                           bool strict, std::optional<int> region = std::nullopt);
// The differences between A and B (B with the profile laid over it); status 0 when the two are
// the same, 1 when they differ. A file that cannot be read throws.
CommandResult diffCommand(const std::string& a, const std::string& b,
                          const std::optional<std::string>& profile, bool json);
// Compares `file` on disk with the editor's unsaved work on it, kept against a crash: what a
// save of that work would change.
CommandResult keptDiffCommand(const std::string& file, bool json);
// Reads export's CSV or JSON ("csv", "json" or by content when empty) and writes the landmark
// file; a CSV's fields are separated by `delimiter`, or by what its header line shows when empty.
void importCommand(const std::string& input, const std::string& format,
                   const std::optional<std::string>& templ, const std::string& out,
                   const std::string& delimiter = {});

} // namespace korvland::cli
