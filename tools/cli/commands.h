#pragma once

#include <optional>
#include <string>

namespace korvland::cli {

// Each command does what the editor's command of the same meaning does, through the same
// operations of the landmark set. Failures throw UserError with the editor's message and
// write nothing; commands that print return their text.

std::string infoCommand(const std::string& file);
// `forTerminal`: standard output is a terminal, where CSV shows names' control characters
// escaped (JSON escapes them always).
std::string exportCommand(const std::string& file, const std::string& format, bool forTerminal = false);
void compileCommand(const std::string& file, const std::optional<std::string>& profile,
                    const std::string& out);
void profileCommand(const std::string& file, const std::string& out);
void openProfileCommand(const std::string& profile, const std::string& out);
void demoCommand(int region, const std::string& out);

} // namespace korvland::cli
