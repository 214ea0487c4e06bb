#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korvland::testing {

// What one run of a built program left: its exit status and both output streams.
struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs `program` with `args`, as a user would from a shell in `folder` (the current folder
// when empty) on a machine without a display: DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM
// are not passed on. Captures standard output and standard error; standard input is the file
// `input`, or empty.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::filesystem::path& folder = {}, const std::filesystem::path& input = {});

// The files in a folder, by name, sorted: to check that a failed command left nothing.
std::vector<std::string> filesIn(const std::filesystem::path& folder);

} // namespace korvland::testing
