#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS (default 20)
# from a seed corpus written by the program's own encoders. Crashes are kept in
# build-fuzz/fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
SECONDS_PER_TARGET=${FUZZ_SECONDS:-20}
TARGETS=(landmark_file_fuzzer profile_fuzzer settings_fuzzer)

CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKORVLAND_FUZZ=ON -DKORVLAND_GUI=OFF -DKORVLAND_TESTS=OFF -DKORVLAND_BENCH=OFF \
    -DKORVLAND_WERROR="${KORVLAND_WERROR:-ON}"
# korvland_data is built too, so that the data layer is known to compile warning-free with clang.
cmake --build "$BUILD_DIR" -j "$(nproc)" --target korvland_data fuzz_seeds "${TARGETS[@]}"

work="$BUILD_DIR/fuzz"
mkdir -p "$work/artifacts"
for target in "${TARGETS[@]}"; do mkdir -p "$work/corpus/$target"; done
"$work/fuzz_seeds" "$work/corpus/landmark_file_fuzzer" "$work/corpus/profile_fuzzer" "$work/corpus/settings_fuzzer"

# The profile target writes small files per input: keep them in memory when possible.
tmp_base=${TMPDIR:-/tmp}
[ -w /dev/shm ] && tmp_base=/dev/shm
KORVLAND_FUZZ_TMP=$(mktemp -d "$tmp_base/korvland-fuzz.XXXXXX")
export KORVLAND_FUZZ_TMP
trap 'rm -rf "$KORVLAND_FUZZ_TMP"' EXIT

for target in "${TARGETS[@]}"; do
    echo "== $target for ${SECONDS_PER_TARGET}s"
    "$work/$target" -max_total_time="$SECONDS_PER_TARGET" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$work/artifacts/$target-" "$work/corpus/$target"
done
