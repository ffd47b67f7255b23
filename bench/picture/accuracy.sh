#!/usr/bin/env bash
# Accuracy of the picture reader, per style of the rendered screenshots and on the held-out
# quarter of the newspaper photos: grids read exactly, digits read wrong (a digit read where the
# truth has none included), digits left empty (`.` or `?`), pictures with no grid found.
#
#   bench/picture/accuracy.sh [HELPER [PHOTOS [SHOTS]]]
#
# HELPER is zarvick-read-picture (default: the release build's), PHOTOS the folder of imageN.jpg
# with imageN.dat (default: ../shared/picture-train beside the repository), SHOTS a folder of
# rendered screenshots (default: the benchmark, rendered afresh with the default seed).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
helper=${1:-$root/build/release/mainwindow/zarvick-read-picture}
photos=${2:-$root/../shared/picture-train}
shots=${3:-}
[[ -x $helper ]] || { echo "no helper at $helper" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [[ -z $shots ]]; then
    shots=$work/shots
    /usr/bin/python3 "$here/render_screenshots.py" --out "$shots" >/dev/null
fi

# One line per picture: its group, then its 81 true digits, then what the helper answered.
read_one() {
    local group=$1 picture=$2 truth=${2%.*}.dat answer
    answer=$("$helper" <"$picture" 2>/dev/null) || answer="failed"
    echo "$group $(tail -n 9 "$truth" | tr -dc '0-9') $(head -n 1 <<<"$answer" | tr ' ' '_')"
}

for picture in "$shots"/*.png "$shots"/*.jpg; do
    [[ -e $picture ]] || continue
    read_one "$(sed -n 's/^style: //p' "${picture%.*}.dat")" "$picture"
done >"$work/results"

# The photo at sorted index i is held out of training when i % 4 == 3.
if [[ -d $photos ]]; then
    find "$photos" -maxdepth 1 -name 'image*.jpg' -printf '%f\n' |
        sed -n 's/^image\([0-9]*\)\.jpg$/\1/p' | sort -n | awk 'NR % 4 == 0' |
        while read -r n; do read_one photos "$photos/image$n.jpg"; done >>"$work/results"
fi

awk '
function add(g, k, v) { sum[g, k] += v; if (g != "photos") sum["screenshots", k] += v }
{
    group = $1; truth = $2; answer = $3
    if (!(group in seen) && group != "photos") { seen[group] = 1; order[++groups] = group }
    add(group, "pictures", 1)
    if (answer !~ /^cells_/) {
        add(group, answer ~ /^nogrid/ ? "nogrid" : "failed", 1)
        add(group, "empty", gsub(/[1-9]/, "", truth))
        next
    }
    cells = substr(answer, 7, 81); wrong = 0; empty = 0
    for (i = 1; i <= 81; i++) {
        t = substr(truth, i, 1); r = substr(cells, i, 1)
        if (r ~ /[1-9]/ && r != t) wrong++
        else if (t != "0" && r !~ /[1-9]/) empty++
    }
    add(group, "wrong", wrong); add(group, "empty", empty); add(group, "exact", wrong + empty == 0)
}
END {
    printf "%-12s %8s %6s %6s %6s %7s %6s\n", "group", "pictures", "exact", "wrong", "empty",
        "nogrid", "failed"
    order[++groups] = "screenshots"
    if (sum["photos", "pictures"]) order[++groups] = "photos"
    for (i = 1; i <= groups; i++) {
        g = order[i]
        printf "%-12s %8d %6d %6d %6d %7d %6d\n", g, sum[g, "pictures"], sum[g, "exact"],
            sum[g, "wrong"], sum[g, "empty"], sum[g, "nogrid"], sum[g, "failed"]
    }
}' "$work/results"
