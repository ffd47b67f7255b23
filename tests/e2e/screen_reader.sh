#!/usr/bin/env bash
# The program as a screen reader reads it, through AT-SPI in a private D-Bus session: the
# command buttons, Easy pressed through its action, the board's table after Easy, after a digit
# typed at the keyboard cursor and after Undo, and the focus following the arrow keys. The
# checks are in screen_reader.py.
HERE=$(cd "$(dirname "$0")" && pwd)
LAUNCHER=/usr/libexec/at-spi-bus-launcher

if [ -z "${E2E_IN_DBUS_SESSION:-}" ]; then
    for tool in dbus-run-session dbus-send openbox; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
    done
    [ -x "$LAUNCHER" ] || { echo "skipped: at-spi2-core is missing"; exit 77; }
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
        { echo "skipped: python3-pyatspi is missing"; exit 77; }
    E2E_IN_DBUS_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi

source "$HERE/lib.sh"

start_atspi_bus
start_xvfb
start_openbox
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_app
activate_app
# The keys must reach the cursor, not the cell under the pointer.
xdotool mousemove --sync 0 0

/usr/bin/python3 "$HERE/screen_reader.py" "$HERE/../../board/puzzleboard.h" ||
    { shoot; fail "the program as a screen reader reads it"; }
