#pragma once

#include "support/program_runner.h"

#include <filesystem>
#include <string>
#include <vector>

namespace korvland::testing {

using CliRun = ProgramRun;

// Runs the built korvland-cli with `args`, as a user would from a shell in `folder`
// (the current folder when empty), capturing standard output and standard error; standard
// input is the file `input`, or empty.
CliRun runCli(const std::vector<std::string>& args, const std::filesystem::path& folder = {},
              const std::filesystem::path& input = {});

} // namespace korvland::testing
