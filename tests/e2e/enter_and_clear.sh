#!/usr/bin/env bash
# Enters a 5 into the top-left cell with a real click and clears it again.
source "$(dirname "$0")/lib.sh"

# Block 1's client area starts at 7,7 (frame 0,0; block 5,5; sunken edge 2); cells have pitch 76.
CELL1_X=7
CELL1_Y=7
CELL2_X=$((7 + 76))
FIVE_X=26 # candidate 5 inside its cell
FIVE_Y=27

start_xvfb
start_app
[ "$WIN_W" -eq 876 ] && [ "$WIN_H" -eq 722 ] || fail "client area have ${WIN_W}x${WIN_H}, want 876x722"

shoot
expect_none $((CELL2_X + FIVE_X)) $((CELL1_Y + FIVE_Y)) 23 22 "$YELLOWISH" "before the click"
expect_pixel $((CELL1_X + 65)) $((CELL1_Y + 24)) 64,64,64 "candidate 3's lower edge"

click $((CELL1_X + FIVE_X + 11)) $((CELL1_Y + FIVE_Y + 11))
shoot
# The candidate buttons are gone: candidate 3's dark lower edge no longer shows.
expect_pixel $((CELL1_X + 65)) $((CELL1_Y + 24)) 212,208,200 "cell 1 still shows its candidates"
expect_some $((CELL1_X + 20)) $((CELL1_Y + 10)) 40 58 "$DARK" "cell 1 shows no digit"
# Peer cells in the row, the column and the block show a yellow candidate 5.
for peer in "$CELL2_X $CELL1_Y" "$CELL1_X $((CELL1_Y + 76))" "$((CELL1_X + 76)) $((CELL1_Y + 76))" \
    "$((243 + 2)) $CELL1_Y" "$CELL1_X $((242 + 2))"; do
    set -- $peer
    expect_some $(($1 + FIVE_X)) $(($2 + FIVE_Y)) 23 22 "$YELLOWISH" "peer at $1,$2 has no yellow 5"
done
# A cell outside row, column and block keeps a black 5.
expect_none $((243 + 2 + 76 + FIVE_X)) $((242 + 2 + 76 + FIVE_Y)) 23 22 "$YELLOWISH" "non-peer"

click $((CELL1_X + 39)) $((CELL1_Y + 39))
shoot
expect_pixel $((CELL1_X + 65)) $((CELL1_Y + 24)) 64,64,64 "candidates did not come back"
expect_none $((CELL2_X + FIVE_X)) $((CELL1_Y + FIVE_Y)) 23 22 "$YELLOWISH" "exclusion stayed after clear"
echo "e2e enter_and_clear: ok"
