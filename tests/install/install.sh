#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the desktop entry against what landed.
set -euo pipefail
build=${1:?usage: install.sh BUILD-DIR}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop="$prefix/share/applications/org.example.zarvick.desktop"
[ -f "$desktop" ] || fail "no desktop entry at $desktop"
desktop-file-validate "$desktop" || fail "the desktop entry does not validate"

exec_name=$(sed -n 's/^Exec=//p' "$desktop")
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ -x "$prefix/bin/$exec_name" ] || fail "Exec=$exec_name names no installed program"
for size in 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon_name.png"
    [ -f "$icon" ] || fail "Icon=$icon_name has no ${size}x${size} picture"
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "$icon is not ${size}x${size}"
done
# Software centres pair the description with the entry it names, and read the manual page.
metainfo="$prefix/share/metainfo/org.example.zarvick.metainfo.xml"
grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
    fail "$metainfo does not name the installed desktop entry"
[ -f "$prefix/share/man/man6/zarvick.6.gz" ] || fail "no manual page in share/man/man6"
# The picture helper lives with the game's private programs and carries its network inside.
helper="$prefix/libexec/zarvick/zarvick-read-picture"
[ -x "$helper" ] || fail "no picture helper at $helper"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
"$helper" < "$source_dir/fuzz/corpus/picture/grid.png" | grep -q '^cells [1-9.?]\{81\}$' ||
    fail "the installed picture helper does not read a grid"
echo "install: ok"
