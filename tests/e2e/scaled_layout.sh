#!/usr/bin/env bash
# At a desktop scale of 2 the whole designed layout doubles: nothing is clipped or moved.
E2E_SCREEN=2400x1900x24
source "$(dirname "$0")/lib.sh"
export QT_SCALE_FACTOR=2

start_xvfb
start_app
[ "$WIN_W" -eq 1752 ] && [ "$WIN_H" -eq 1444 ] || fail "window have ${WIN_W}x${WIN_H}, want 1752x1444"
shoot
# The last candidate of the last cell: block 9 at 482,479, edge 2, cell 152,152, button 50,51.
X=$((2 * (482 + 2 + 152 + 50)))
Y=$((2 * (479 + 2 + 152 + 51)))
expect_pixel "$X" "$Y" 255,255,255 "candidate 9's top-left highlight"
expect_pixel $((X + 2 * 23 - 1)) $((Y + 2 * 22 - 1)) 64,64,64 "candidate 9's bottom-right shadow"
expect_some "$X" "$Y" 46 44 "$DARK" "candidate 9 shows no digit"
# The grid frame's navy between blocks, and the side panel's grey beside it.
expect_pixel $((2 * 240 + 1)) $((2 * 100)) 0,0,128 "navy between blocks 1 and 2"
expect_pixel $((2 * 722)) $((2 * 300)) 212,208,200 "side panel"
echo "e2e scaled_layout: ok"
