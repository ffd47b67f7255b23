#!/usr/bin/env bash
# Builds the GIF fuzzer with clang (libFuzzer, ASan, UBSan) and runs it for SECONDS (default 60)
# from a copy of the committed seed corpus. Exits non-zero on any crash, leak or sanitizer report.
set -euo pipefail

seconds="${1:-60}"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
out="${FUZZ_OUT:-$root/build/fuzz}"
mkdir -p "$out/corpus" "$out/artifacts"

cxx="${CXX_FUZZ:-clang++}"
flags=(-std=c++20 -O1 -g -fPIC -fno-omit-frame-pointer
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$root/images")
read -r -a qt_flags <<<"$(pkg-config --cflags --libs Qt6Gui)"

"$cxx" "${flags[@]}" "$here/gif_fuzzer.cpp" \
    "$root/images/jvgifimage.cpp" "$root/images/giflzw.cpp" "$root/images/gifpainter.cpp" \
    "${qt_flags[@]}" -o "$out/gif_fuzzer"


export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
"$out/gif_fuzzer" "$out/corpus" "$here/corpus" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
    -print_final_stats=1 -artifact_prefix="$out/artifacts/"
