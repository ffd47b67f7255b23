#!/usr/bin/env bash
# Builds a release and the Debian package from it; prints the package's path as the last line.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset release >/dev/null
# The whole build, as cpack would start it anyway before it installs.
cmake --build --preset release -j"$(nproc)" >&2
out=build/release/package
rm -f "$out"/zarvick_*.deb
cpack --config build/release/CPackConfig.cmake -B "$out" >&2
debs=("$out"/zarvick_*.deb)
[ -f "${debs[0]}" ] || { echo "package.sh: cpack made no package" >&2; exit 1; }
echo "$PWD/${debs[0]}"
