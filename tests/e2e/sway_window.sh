#!/usr/bin/env bash
# Under sway (headless), a compositor that draws window frames, on a 1366 x 768 screen (the
# compact layout). The main window gets sway's frame and no title bar of ours, shows the same
# client area as under X, and a click on an excluded candidate rings the sound theme's bell
# through the sound server. With our own title bar forced, the main window, About and Help show
# their whole client areas below it, pixel for pixel as under X.
# Takes the maker of a pointer for the headless compositor as $3. Skips (77) where a tool is missing.
E2E_SCREEN=1366x768x24
source "$(dirname "$0")/lib.sh"
WAYPOINTER=${3:?usage: sway_window.sh PATH-TO-zarvick PATH-TO-findclient PATH-TO-waypointer}
require_wayland sway swaymsg grim jq pulseaudio pactl setpriv

ABOUT="710 428" # the side panel's buttons in the compact layout, 90 pixels left of their place
HELP="710 500"

# The references under X: the main window, About and Help, each with the pointer elsewhere.
x_reference "$E2E_DIR/x-main.png"
for dialog in "About $ABOUT" "Help! $HELP"; do
    read -r name x y <<<"$dialog"
    click "$x" "$y"
    find_window "^$name\$"
    shoot
    crop_shot "$X" "$Y" "$WIDTH" "$HEIGHT" "$E2E_DIR/x-$name.png"
    xdotool key Return
done
stop_app

# sway and the sound server refuse to run as root: as root, they run as nobody, in a runtime
# directory of nobody's, whose sockets root may use all the same.
export XDG_RUNTIME_DIR="$E2E_DIR/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chmod 0711 "$E2E_DIR"
    chown nobody:nogroup "$XDG_RUNTIME_DIR"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
printf 'output HEADLESS-1 mode 1366x768 position 0 0\nxwayland disable\n' >"$E2E_DIR/sway.conf"
HOME="$XDG_RUNTIME_DIR" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    "${as_user[@]}" sway -c "$E2E_DIR/sway.conf" >"$E2E_DIR/sway.log" 2>&1 &
E2E_PIDS+=($!)
export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse-native"
HOME="$XDG_RUNTIME_DIR" "${as_user[@]}" pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --use-pid-file=no --disable-shm=yes --load=module-null-sink \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$XDG_RUNTIME_DIR/pulse-native" \
    >"$E2E_DIR/pulse.log" 2>&1 &
E2E_PIDS+=($!)
for _ in $(seq 100); do
    SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null || true)
    [ -n "$SWAYSOCK" ] && pactl info >/dev/null 2>&1 && break
    sleep 0.05
done
[ -n "$SWAYSOCK" ] || fail "sway did not start: $(cat "$E2E_DIR/sway.log")"
pactl info >/dev/null 2>&1 || fail "the sound server did not start: $(cat "$E2E_DIR/pulse.log")"
export SWAYSOCK WAYLAND_DISPLAY
WAYLAND_DISPLAY=$(basename "$(ls "$XDG_RUNTIME_DIR"/wayland-*[0-9])")

# The pointer is there before the program, so that the program's seat has one from the start.
coproc POINTER { exec "$WAYPOINTER" 2>"$E2E_DIR/pointer.log"; }
E2E_PIDS+=("$POINTER_PID")
read -r -t 10 -u "${POINTER[0]}" _ || fail "no pointer: $(cat "$E2E_DIR/pointer.log")"
# Clicks at screen position X Y, or with "away" only moves the pointer off every window.
point() {
    if [ "$1" = away ]; then
        swaymsg -q seat - cursor set 0 0
    else
        swaymsg -q "seat - cursor set $1 $2; seat - cursor press button1; seat - cursor release button1"
    fi
}
point away

# Reads where sway shows the client area of the window whose title matches $1 into SX, SY, its
# size into SW, SH and its border into BORDER.
sway_window() {
    local found=
    for _ in $(seq 100); do
        found=$(swaymsg -t get_tree | jq -r --arg name "$1" '.. | objects
            | select(.type? == "floating_con" and (.name // "" | test($name)))
            | "\(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width) \(.window_rect.height) \(.border)"' |
            head -n1)
        [ -n "$found" ] && break
        sleep 0.1
    done
    [ -n "$found" ] || fail "sway shows no window named $1"
    read -r SX SY SW SH BORDER <<<"$found"
}

# Waits until the window matching $1 shows, $2 rows below the top of its surface, the picture
# $3 pixel for pixel. The window takes a moment to map and draw.
expect_client() {
    local size differing=all
    size=$(identify -format '%wx%h' "$3")
    for _ in $(seq 20); do
        sway_window "$1"
        grim "$E2E_DIR/shot.png"
        differing=$(convert "$E2E_DIR/shot.png" -crop "$size+$SX+$((SY + $2))" +repage png:- |
            compare -metric AE - "$3" null: 2>&1 || true)
        if [ "$differing" = 0 ]; then
            # Read again: until the window's first frame is on screen, sway reports no border.
            sway_window "$1"
            return
        fi
        sleep 0.25
    done
    fail "$1: $differing pixels of the $size client area differ from the X screenshot"
}

# The compositor's frame: no bar of ours, the client area at the top of the window.
start_wayland_app
expect_client '^Zarvick' 0 "$E2E_DIR/x-main.png"
[ "$BORDER" = normal ] || fail "sway draws border '$BORDER' around the main window, want normal"

# Entering a 5 makes the next cell's 5 excluded; entering that one rings the bell.
point $((SX + 41)) $((SY + 41))
point $((SX + 109)) $((SY + 41))
for _ in $(seq 100); do
    pactl list samples | grep -q 'application.name = "Zarvick"' && break
    sleep 0.1
done
pactl list samples | grep -q 'event.id = "bell-window-system"' ||
    fail "no bell reached the sound server: $(pactl list samples)"
pactl list samples | grep -q 'media.filename = ".*/bell.oga"' ||
    fail "the bell is not the sound theme's: $(pactl list samples)"
stop_app

# Our own bar: every window's whole client area below it.
point away
start_wayland_app ZARVICK_TITLE_BAR=own
expect_client '^Zarvick' 30 "$E2E_DIR/x-main.png"
[ "$BORDER" = csd ] || fail "sway draws border '$BORDER' around our title bar, want none (csd)"
main_x=$SX
main_y=$((SY + 30))
for dialog in "About $ABOUT" "Help! $HELP"; do
    read -r name x y <<<"$dialog"
    point $((main_x + x)) $((main_y + y))
    point away
    expect_client "^$name\$" 30 "$E2E_DIR/x-$name.png"
    # OK, centred in both windows and 25 high, ends 8 or 10 rows above the bottom.
    point $((SX + SW / 2)) $((SY + SH - 10 - 12))
done

echo "e2e sway_window: ok (compositor's frame, bell heard; our bar above the whole client areas)"
