#!/usr/bin/env bash
# Builds everything and runs every test: the release build, then the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, each fuzz target for a minute, and the format
# check.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

echo "== format"
git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format --dry-run -Werror

echo "== release build and tests"
cmake --preset release >/dev/null
cmake --build --preset release -j"$jobs"
ctest --preset release -j"$jobs" | tee -a "$log"

echo "== ASan + UBSan build and tests"
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs" | tee -a "$log"

echo "== fuzzing the GIF reader and the JPEG loader for 60 s each"
bash fuzz/run.sh 60

# A failing step has ended the script already, so every test counted here has passed.
passed=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log" | paste -sd+ | bc)
echo "suite: ${passed} passed, 0 failed"
