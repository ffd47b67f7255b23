#!/usr/bin/env bash
# From Ctrl+V to the laid board, as a player meets it: the program started afresh for every run
# (so each paste is the first picture after start-up), the picture offered on the clipboard as
# image data by xclip, Ctrl+V sent through XTest, the board watched on screen until it changes.
# Usage: bench/paste/paste_time.sh [RUNS] PICTURE... (build/release must be built).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-7}
shift
[ $# -gt 0 ] || { echo "usage: paste_time.sh [RUNS] PICTURE..." >&2; exit 2; }
pastewait=$root/build/release/bench/paste/pastewait
source "$root/tests/e2e/lib.sh" "$root/build/release/mainwindow/zarvick"
start_xvfb
start_openbox

median() { sort -n | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }
for picture in "$@"; do
    case "$picture" in
    *.png) type=image/png ;;
    *.jpg | *.jpeg) type=image/jpeg ;;
    *) echo "paste_time.sh: $picture is neither PNG nor JPEG" >&2; exit 2 ;;
    esac
    : >"$E2E_DIR/times"
    for _ in $(seq "$runs"); do
        start_app
        activate_app
        xdotool mousemove --sync $((WIN_X + 780)) $((WIN_Y + 600))
        xclip -selection clipboard -t "$type" -i "$picture" 2>/dev/null
        sleep 0.3
        # The board's blocks span the first 720 x 720 pixels of the client area.
        "$pastewait" "$WIN_X" "$WIN_Y" 720 720 >>"$E2E_DIR/times"
        stop_app
    done
    size=$(identify -format '%wx%h' "$picture")
    printf '%s (%s, %s): median %s ms, slowest %s ms over %s runs\n' "$(basename "$picture")" \
        "$size" "$type" "$(median <"$E2E_DIR/times")" "$(sort -n "$E2E_DIR/times" | tail -n1)" "$runs"
done
