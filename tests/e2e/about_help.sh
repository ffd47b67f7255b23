#!/usr/bin/env bash
# About and Help open from the main window, show their pictures and keep the main window from
# taking input; the links reach a stand-in desktop opener that records what it is handed.
source "$(dirname "$0")/lib.sh"

mkdir -p "$E2E_DIR/bin"
for opener in xdg-open xdg-email; do
    printf '#!/bin/sh\necho "%s $*" >> "%s"\n' "$opener" "$E2E_DIR/opened" >"$E2E_DIR/bin/$opener"
    chmod +x "$E2E_DIR/bin/$opener"
done
export PATH="$E2E_DIR/bin:$PATH"
unset BROWSER

ABOUT="800 428"
UPGRADE="800 464"
HELP="800 500"

# Puts the window named $1 into DLG_X, DLG_Y.
find_dialog() {
    find_window "^$1\$"
    DLG_X=$X
    DLG_Y=$Y
}

dialog_count() { count_on_screen $((DLG_X + $1)) $((DLG_Y + $2)) "$3" "$4" "$5"; }

start_xvfb
start_app

click $ABOUT
find_dialog About
shoot
# The picture: blue grid lines in the 89 x 89 square at 16,16, nothing white left in it.
blue=$(dialog_count 16 16 89 89 'r < 0.1 && g < 0.1 && b > 0.9')
[ "$blue" -gt 300 ] || fail "About picture shows $blue blue pixels"
white=$(dialog_count 16 16 89 89 'r > 0.99 && g > 0.99 && b > 0.99')
[ "$white" -eq 0 ] || fail "About picture shows $white white pixels: white is transparent"

# While About is open a click on the board changes nothing.
click $((7 + 26 + 11)) $((7 + 27 + 11))
xdotool key Escape
sleep 0.3
xdotool search --onlyvisible --name '^About$' >/dev/null || fail "Escape closed the About window"

# Both links, each handed to the desktop opener.
xdotool mousemove --sync $((DLG_X + 8 + 64 + 10)) $((DLG_Y + 8 + 152 + 6)) click 1
xdotool mousemove --sync $((DLG_X + 8 + 80 + 10)) $((DLG_Y + 8 + 168 + 6)) click 1
sleep 1
xdotool key Return
sleep 0.5
xdotool search --onlyvisible --name '^About$' >/dev/null && fail "Enter left the About window open"

shoot
expect_pixel $((7 + 65)) $((7 + 24)) 64,64,64 "a click through the About window entered a digit"

click $UPGRADE
sleep 1
grep -q "https://zarvick.example.org\$" "$E2E_DIR/opened" || fail "home page not opened: $(cat "$E2E_DIR/opened")"
grep -q "mailto:mail@zarvick.example.org" "$E2E_DIR/opened" || fail "mail link not opened"
grep -q "https://zarvick.example.org/updates.php?VER=0.9" "$E2E_DIR/opened" ||
    fail "update page not opened: $(cat "$E2E_DIR/opened")"

click $HELP
find_dialog 'Help!'
shoot
# Picture 2, the navy-framed block, at 208 + 48, 8 + 192 inside the window.
navy=$(dialog_count 256 200 237 238 'r < 0.1 && g < 0.1 && b > 0.4 && b < 0.6')
[ "$navy" -gt 1000 ] || fail "Help picture 2 shows $navy navy pixels"
yellow=$(dialog_count 256 200 237 238 "$YELLOWISH")
[ "$yellow" -gt 50 ] || fail "Help picture 2 shows no yellow candidates"
xdotool key Return
sleep 0.5
xdotool search --onlyvisible --name '^Help!$' >/dev/null && fail "Enter left the Help window open"

echo "e2e about_help: ok"
