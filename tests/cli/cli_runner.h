#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korvland::testing {

// What one run of the command-line program left: its exit status and both output streams.
struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built korvland-cli with `args`, as a user would from a shell in `folder`
// (the current folder when empty), capturing standard output and standard error.
CliRun runCli(const std::vector<std::string>& args, const std::filesystem::path& folder = {});

// The files in a folder, by name, sorted: to check that a failed command left nothing.
std::vector<std::string> filesIn(const std::filesystem::path& folder);

} // namespace korvland::testing
