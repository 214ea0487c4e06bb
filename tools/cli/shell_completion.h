#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <string_view>

namespace korvland::cli {

// The shells a completion script is written for.
inline constexpr std::string_view kCompletionShells[] = {"bash", "zsh", "fish"};

// The completion script for `shell` ("bash", "zsh" or "fish"), made from the program's own
// option table: every subcommand, its options (a value of a fixed set completing to the set, a
// value of the type FILE and the positional arguments to file names) and the program's options.
// Options of the group "" (hidden) are left out.
std::string completionScript(const CLI::App& app, std::string_view shell);

} // namespace korvland::cli
