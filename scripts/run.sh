#!/usr/bin/env bash
# Builds Zarvick and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)" --target zarvick
exec build/release/mainwindow/zarvick
