#!/usr/bin/env bash
# clang-tidy over the project's own sources (src, tools) with the repository's .clang-tidy;
# every finding fails. Needs a configured and built tree (compile commands and Qt's generated
# sources):
#
#   scripts/tidy.sh [BUILD_DIR]    BUILD_DIR defaults to build
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[[ -f $build/compile_commands.json ]] || { echo "tidy: $build/compile_commands.json is missing: build first" >&2; exit 2; }
tidy=$(command -v run-clang-tidy || command -v run-clang-tidy-14) || { echo "tidy: run-clang-tidy is not installed" >&2; exit 2; }
"$tidy" -quiet -p "$build" -j "$(nproc)" "^$PWD/(src|tools)/.*\.cpp$"
