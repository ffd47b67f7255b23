#!/usr/bin/env bash
# The side panel's XP-style buttons: gradient faces, the Undo button's blue focus ring from the
# start, and an orange ring on the button the pointer rests on.
source "$(dirname "$0")/lib.sh"

# Buttons of the side panel (client 724,0), each 73 x 25: group box left 8 plus button left 32.
UNDO_X=$((724 + 8 + 32))
UNDO_Y=$((0 + 24))
BLANK_X=$UNDO_X
BLANK_Y=$((216 + 24))
EASY_X=$UNDO_X
EASY_Y=$((216 + 72))

# Face rows of a 73 x 25 button (row y of the button is row y-1 of the 71 x 23 image).
FACE_ROW1=255,255,255
FACE_ROW12=247,245,244
FACE_ROW22=240,237,233
FOCUS_ROW12=160,184,247
HOVER_ROW12=244,199,108
OUTLINE=0,56,115
CORNER_LINE=123,158,173
BUTTON_FACE=212,208,200

start_xvfb
start_app
shoot

# A plain button: gradient face inside the rounded outline, the group box's grey outside it.
expect_pixel $((BLANK_X + 3)) $((BLANK_Y + 1)) $FACE_ROW1 "Blank face, top row"
expect_pixel $((BLANK_X + 3)) $((BLANK_Y + 12)) $FACE_ROW12 "Blank face, middle row"
expect_pixel $((BLANK_X + 1)) $((BLANK_Y + 22)) $FACE_ROW22 "Blank face, bottom row"
expect_pixel $((BLANK_X + 36)) $BLANK_Y $OUTLINE "Blank outline"
expect_pixel $BLANK_X $((BLANK_Y + 1)) $CORNER_LINE "Blank corner line"
expect_pixel $BLANK_X $BLANK_Y $BUTTON_FACE "Blank corner outside the outline"

# Undo holds the focus from the start: a blue ring around its face.
expect_pixel $((UNDO_X + 1)) $((UNDO_Y + 12)) $FOCUS_ROW12 "Undo has no blue ring at start"
expect_pixel $((UNDO_X + 70)) $((UNDO_Y + 12)) $FOCUS_ROW12 "Undo ring, right side"
expect_pixel $((UNDO_X + 3)) $((UNDO_Y + 3)) $FACE_ROW1 "Undo face inside the ring"

# The pointer rests on Easy: orange ring there; Undo keeps its blue ring.
move_to $((EASY_X + 60)) $((EASY_Y + 12))
shoot
expect_pixel $((EASY_X + 1)) $((EASY_Y + 12)) $HOVER_ROW12 "Easy has no orange ring under the pointer"
expect_pixel $((EASY_X + 71)) $((EASY_Y + 12)) $HOVER_ROW12 "Easy ring, right side"
expect_pixel $((UNDO_X + 1)) $((UNDO_Y + 12)) $FOCUS_ROW12 "Undo lost its blue ring"
expect_pixel $((BLANK_X + 1)) $((BLANK_Y + 12)) $FACE_ROW12 "Blank ringed without cause"

# Away again: Easy is plain.
move_to 400 400
shoot
expect_pixel $((EASY_X + 1)) $((EASY_Y + 12)) $FACE_ROW12 "Easy kept its ring after the pointer left"
echo "e2e side_panel: ok"
