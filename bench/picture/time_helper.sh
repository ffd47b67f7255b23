#!/usr/bin/env bash
# Wall-clock time of the picture helper as the game runs it, process start included: the median
# of RUNS runs per picture. `time_helper.sh HELPER PICTURE... [RUNS=9]`
set -euo pipefail
helper=${1:?usage: time_helper.sh HELPER PICTURE...}
shift
runs=${RUNS:-9}
for picture in "$@"; do
    times=()
    for _ in $(seq "$runs"); do
        start=$(date +%s%N)
        "$helper" < "$picture" > /dev/null
        times+=($(( ($(date +%s%N) - start) / 1000000 )))
    done
    median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
    printf '%6d ms  %s (%s bytes)\n' "$median" "$picture" "$(stat -c %s "$picture")"
done
