#!/usr/bin/env bash
# Builds the fuzz targets of the readers of outside input with clang (libFuzzer, ASan, UBSan) and
# runs each for SECONDS (default 60) from a copy of its committed seed corpus:
# `run.sh [SECONDS [gif|jpeg|puzzletext|picture]]`, every target one after the other when none is
# named.
# Exits non-zero on any crash, leak, sanitizer report, failed check, time-out or memory limit.
set -euo pipefail

seconds="${1:-60}"
targets=("${2:-gif}")
[ $# -ge 2 ] || targets=(gif jpeg puzzletext picture)
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
out="${FUZZ_OUT:-$root/build/fuzz}"

cxx="${CXX_FUZZ:-clang++}"
flags=(-std=c++20 -O1 -g -fPIC -fno-omit-frame-pointer
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$root/images")
read -r -a qt_flags <<<"$(pkg-config --cflags --libs Qt6Gui)"

build() {
    case "$1" in
    gif) "$cxx" "${flags[@]}" "$here/gif_fuzzer.cpp" "$root/images/jvgifimage.cpp" \
             "$root/images/giflzw.cpp" "$root/images/gifpainter.cpp" \
             "${qt_flags[@]}" -o "$out/gif_fuzzer" ;;
    jpeg) "$cxx" "${flags[@]}" "$here/jpeg_fuzzer.cpp" "$root/images/jpegloader.cpp" \
              "${qt_flags[@]}" -ljpeg -o "$out/jpeg_fuzzer" ;;
    puzzletext) "$cxx" "${flags[@]}" -I"$root/board" "$here/puzzletext_fuzzer.cpp" \
                    "$root/board/puzzletext.cpp" -o "$out/puzzletext_fuzzer" ;;
    picture)
        # OpenCV comes as Debian builds it; only our steps carry the sanitizers.
        opencv="$(dirname "$(find /usr/include -path '*/opencv2/core.hpp' -print -quit)")/.."
        "$cxx" "${flags[@]}" -I"$root/picture" -isystem "$opencv" \
            -DZARVICK_DIGITNET_PATH="\"$root/picture/digitnet.onnx\"" \
            "$here/picture_fuzzer.cpp" "$root"/picture/{decode,gridfinder,straighten,normalise}.cpp \
            "$root"/picture/{digitnet,digitnet_data,reader}.cpp \
            "${qt_flags[@]}" -lopencv_dnn -lopencv_imgproc -lopencv_core -o "$out/picture_fuzzer" ;;
    *) echo "unknown fuzz target: $1" >&2; exit 2 ;;
    esac
}

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
# ASan keeps freed memory in quarantine (256 MB by default), which alone would reach the RSS
# limit; a smaller quarantine still catches uses after free of the buffers of a recent input.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=32}"
for target in "${targets[@]}"; do
    mkdir -p "$out/$target/corpus" "$out/$target/artifacts"
    build "$target"
    # The readers must stay far below these on any input: a few hostile bytes may not buy
    # hundreds of megabytes or seconds of work. A picture may rightly decode to 50 megapixels
    # and then be searched for a grid, which costs more, as it does in the helper's limits.
    limits=(-timeout=2 -rss_limit_mb=256 -malloc_limit_mb=256)
    [ "$target" = picture ] && limits=(-timeout=20 -rss_limit_mb=1536 -malloc_limit_mb=512)
    "$out/${target}_fuzzer" "$out/$target/corpus" "$here/corpus/$target" \
        -max_total_time="$seconds" "${limits[@]}" \
        -max_len=16384 -print_final_stats=1 -artifact_prefix="$out/$target/artifacts/"
done
