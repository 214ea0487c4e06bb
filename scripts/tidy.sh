#!/usr/bin/env bash
# clang-tidy over the project's own sources (src, tools) with the repository's .clang-tidy;
# every finding fails. Needs a configured and built tree (compile commands and Qt's generated
# sources):
#
#   scripts/tidy.sh [BUILD_DIR] [--cache DIR]    BUILD_DIR defaults to build
#
# With --cache, units unchanged since a run that passed them are not checked again
# (scripts/tidy.py says how a unit is known unchanged).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
exec python3 scripts/tidy.py "$build" "$@"
