#!/usr/bin/env bash
# Start-up time (exec to the main window mapped, under Xvfb) and resident memory of zarvick,
# against a bare Qt program showing a window with the same number of widgets, interleaved in
# one run. Usage: bench/startup/startup.sh [RUNS] (build/release must be built).
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-15}
build=build/release
mapwait=$build/bench/startup/mapwait

tmp=$(mktemp -d)
exec 5>"$tmp/display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$tmp/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$tmp"' EXIT
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$tmp/display")" QT_QPA_PLATFORM=xcb
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $DISPLAY:" >&2; cat "$tmp/xvfb.log" >&2; exit 1; }

# One warm-up each, so that both start from a warm file cache.
"$mapwait" "$build/mainwindow/zarvick" >/dev/null
"$mapwait" "$build/bench/startup/bare_window" >/dev/null
for _ in $(seq "$runs"); do
    "$mapwait" "$build/mainwindow/zarvick" >>"$tmp/zarvick"
    "$mapwait" "$build/bench/startup/bare_window" >>"$tmp/bare"
done

median() { sort -n | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }
z_ms=$(cut -d' ' -f1 "$tmp/zarvick" | median)
b_ms=$(cut -d' ' -f1 "$tmp/bare" | median)
z_kib=$(cut -d' ' -f2 "$tmp/zarvick" | median)
b_kib=$(cut -d' ' -f2 "$tmp/bare" | median)
echo "runs: $runs each, medians"
printf 'zarvick:     %6.1f ms  %6.1f MiB\n' "$z_ms" "$(echo "$z_kib / 1024" | bc -l)"
printf 'bare window: %6.1f ms  %6.1f MiB\n' "$b_ms" "$(echo "$b_kib / 1024" | bc -l)"
printf 'ratio:       %6.2f x   %6.2f x\n' "$(echo "$z_ms / $b_ms" | bc -l)" "$(echo "$z_kib / $b_kib" | bc -l)"
