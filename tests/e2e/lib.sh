# Shared steps of the end-to-end tests: a private Xvfb, the real program, real clicks and
# screenshots. Each test script sources this file with the program's path as $1.
set -euo pipefail

E2E_BIN=${1:?usage: script PATH-TO-zarvick}
E2E_SCREEN=${E2E_SCREEN:-1280x1024x24}
E2E_DIR=$(mktemp -d)
E2E_XVFB_PID=
E2E_APP_PID=
E2E_WM_PID=
E2E_PIDS=() # further processes a test started, ended with it

e2e_cleanup() {
    [ -n "$E2E_APP_PID" ] && kill "$E2E_APP_PID" 2>/dev/null || true
    [ -n "$E2E_WM_PID" ] && kill "$E2E_WM_PID" 2>/dev/null || true
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    [ -n "$E2E_XVFB_PID" ] && kill "$E2E_XVFB_PID" 2>/dev/null || true
    rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$E2E_DIR/shot.png" ] && cp "$E2E_DIR/shot.png" "/tmp/e2e-fail-$(basename "$0" .sh).png" &&
        echo "screenshot kept in /tmp/e2e-fail-$(basename "$0" .sh).png" >&2
    exit 1
}

start_xvfb() {
    exec 5>"$E2E_DIR/display"
    # Without -noreset the server resets when its first client (xdpyinfo below) disconnects,
    # and a client that connects during the reset fails.
    Xvfb -displayfd 5 -screen 0 "$E2E_SCREEN" -nolisten tcp -noreset >"$E2E_DIR/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$E2E_DIR/display" ] && break
        sleep 0.05
    done
    export DISPLAY=":$(head -n1 "$E2E_DIR/display")"
    for _ in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.05
    done
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb
}

# Waits for a visible window whose name matches the pattern and reads its client geometry into
# X, Y, WIDTH and HEIGHT.
find_window() {
    local id
    id=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n1) ||
        fail "no window named $1 appeared"
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$id")"
}

# Starts the program and reads its window's client position into WIN_X, WIN_Y.
start_app() {
    "$E2E_BIN" "$@" >"$E2E_DIR/app.log" 2>&1 &
    E2E_APP_PID=$!
    find_window '^Zarvick'
    WIN_X=$X
    WIN_Y=$Y
    WIN_W=$WIDTH
    WIN_H=$HEIGHT
}

# Clicks at a position of the window's client area: click X Y [BUTTON].
click() {
    xdotool mousemove --sync $((WIN_X + $1)) $((WIN_Y + $2)) click "${3:-1}"
    sleep 0.3
}

move_to() {
    xdotool mousemove --sync $((WIN_X + $1)) $((WIN_Y + $2))
    sleep 0.3
}

stop_app() {
    kill "$E2E_APP_PID"
    wait "$E2E_APP_PID" 2>/dev/null || true
    E2E_APP_PID=
}

shoot() { import -window root "$E2E_DIR/shot.png"; }

# Crops the screen rectangle X Y W H of the last screenshot into FILE.
crop_shot() { convert "$E2E_DIR/shot.png" -crop "$3x$4+$1+$2" +repage "$5"; }

# Colour of one client pixel in the last screenshot, as "R,G,B".
pixel() {
    convert "$E2E_DIR/shot.png" -format \
        '%[fx:int(255*p{'$((WIN_X + $1))','$((WIN_Y + $2))'}.r)],%[fx:int(255*p{'$((WIN_X + $1))','$((WIN_Y + $2))'}.g)],%[fx:int(255*p{'$((WIN_X + $1))','$((WIN_Y + $2))'}.b)]' info:
}

# Number of pixels of colour R,G,B in the client rectangle X Y W H of the last screenshot.
count_colour() {
    local hex
    hex=$(printf '#%02X%02X%02X' $(echo "$5" | tr ',' ' '))
    convert "$E2E_DIR/shot.png" -crop "$3x$4+$((WIN_X + $1))+$((WIN_Y + $2))" +repage txt:- |
        grep -c "$hex" || true
}

# Number of pixels in the screen rectangle X Y W H for which the ImageMagick fx expression
# holds (r, g and b run from 0 to 1), for anti-aliased text whose exact colours vary.
count_on_screen() {
    convert "$E2E_DIR/shot.png" -crop "$3x$4+$1+$2" +repage \
        -fx "($5) ? 1 : 0" -format '%[fx:round(mean*w*h)]' info:
}

# The same for a rectangle of the main window's client area.
count_where() { count_on_screen $((WIN_X + $1)) $((WIN_Y + $2)) "$3" "$4" "$5"; }

YELLOWISH='r > 0.7 && g > 0.7 && b < 0.4'
DARK='r < 0.3 && g < 0.3 && b < 0.3'

expect_pixel() {
    local have
    have=$(pixel "$1" "$2")
    [ "$have" = "$3" ] || fail "$4: pixel $1,$2 have $have, want $3"
}

expect_some() {
    local n
    n=$(count_where "$1" "$2" "$3" "$4" "$5")
    [ "$n" -gt 0 ] || fail "$6: no pixel where $5 in $3x$4 at $1,$2"
}

expect_none() {
    local n
    n=$(count_where "$1" "$2" "$3" "$4" "$5")
    [ "$n" -eq 0 ] || fail "$6: $n pixels where $5 in $3x$4 at $1,$2"
}

# Starts openbox on the private display, as every player has a window manager: without one the
# window is never activated and has no keyboard.
start_openbox() {
    command -v openbox >/dev/null || fail "openbox is needed (scripts/deps.sh installs it)"
    openbox --sm-disable >"$E2E_DIR/openbox.log" 2>&1 &
    E2E_WM_PID=$!
    # Ready once it says it can activate windows; a loaded machine may take seconds.
    for _ in $(seq 400); do
        xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW && return
        sleep 0.05
    done
    fail "openbox did not start"
}

# Activates the main window and reads where the window manager's frame put its client area.
activate_app() {
    local id
    id=$(xdotool search --onlyvisible --name '^Zarvick V' | head -n1)
    xdotool windowactivate --sync "$id"
    sleep 0.3
    WIN_X=$(xwininfo -id "$id" | sed -n 's/.*Absolute upper-left X: *//p')
    WIN_Y=$(xwininfo -id "$id" | sed -n 's/.*Absolute upper-left Y: *//p')
}

# Where cell ROW COLUMN's left (cell_x) or top (cell_y) edge stands in the main window's client
# area at the designed layout: blocks at 5, 243 and 482 (5, 242 and 479 down), each with a
# 2-pixel edge, cells at a pitch of 76 inside.
cell_x() { local lefts=(5 243 482); echo $((lefts[($1 - 1) / 3] + 2 + ($1 - 1) % 3 * 76)); }
cell_y() { local tops=(5 242 479); echo $((tops[($1 - 1) / 3] + 2 + ($1 - 1) % 3 * 76)); }

# Wayland. Skips the test (77) unless the named commands and Qt's Wayland plugin are installed.
require_wayland() {
    local tool plugins
    for tool in "$@"; do
        command -v "$tool" >/dev/null ||
            { echo "SKIP: $tool is not installed (scripts/deps.sh installs it)"; exit 77; }
    done
    plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
    ls "$plugins"/platforms/libqwayland-*.so >/dev/null 2>&1 ||
        { echo "SKIP: Qt's Wayland platform plugin is not installed (scripts/deps.sh installs qt6-wayland)"; exit 77; }
}

# The reference of a Wayland test: the program under X, the main window's client area, with the
# pointer off the window, in FILE. The program keeps running.
x_reference() {
    start_xvfb
    start_app
    xdotool mousemove --sync 0 0
    sleep 0.3
    shoot
    crop_shot "$WIN_X" "$WIN_Y" "$WIN_W" "$WIN_H" "$1"
}

# Starts the program as a client of the compositor that WAYLAND_DISPLAY names, with the
# environment assignments given.
start_wayland_app() {
    (unset DISPLAY; export QT_QPA_PLATFORM=wayland "$@"; exec "$E2E_BIN") >"$E2E_DIR/app.log" 2>&1 &
    E2E_APP_PID=$!
}

# A private accessibility bus for a test that has re-run itself in a session of its own
# (dbus-run-session); ended with the test.
start_atspi_bus() {
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$E2E_DIR/atspi.log" 2>&1 &
    E2E_PIDS+=($!)
    for _ in $(seq 200); do
        # Asked without starting it: the session bus would start a second one on demand.
        dbus-send --session --dest=org.freedesktop.DBus --print-reply /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null |
            grep -q 'boolean true' && return
        sleep 0.05
    done
    fail "the accessibility bus did not start"
}
