#!/usr/bin/env bash
# Under Wayland (Weston, headless) the main window shows the same client area as under X, pixel
# for pixel, below a title bar with a minimise and a close button and no maximise button.
# Takes the client-area finder as $2. Skips (77) where Weston or Qt's Wayland plugin is missing.
source "$(dirname "$0")/lib.sh"
FINDCLIENT=${2:?usage: wayland_window.sh PATH-TO-zarvick PATH-TO-findclient}

require_wayland weston weston-screenshooter

x_reference "$E2E_DIR/x-client.png"
stop_app

# Weston with a runtime directory of its own (mktemp's are private) and no idle blanking, which
# would stop the repaints a screenshot waits for.
export XDG_RUNTIME_DIR="$E2E_DIR/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
export WAYLAND_DISPLAY=wayland-zarvick-e2e
weston --backend=headless-backend.so --use-pixman --debug --idle-time=0 --no-config \
    --socket="$WAYLAND_DISPLAY" --width=1280 --height=1024 >"$E2E_DIR/weston.log" 2>&1 &
E2E_PIDS+=($!)
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
    sleep 0.05
done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || fail "Weston did not start: $(cat "$E2E_DIR/weston.log")"

start_wayland_app

# weston-screenshooter writes wayland-screenshot-*.png into the current directory. The window
# takes a moment to map and draw: shoot until its client area is there.
mkdir "$E2E_DIR/shots"
result="not found"
for _ in $(seq 20); do
    sleep 0.5
    rm -f "$E2E_DIR"/shots/*.png
    (cd "$E2E_DIR/shots" && timeout 10 weston-screenshooter) || fail "weston-screenshooter failed"
    cp "$E2E_DIR"/shots/wayland-screenshot-*.png "$E2E_DIR/shot.png"
    result=$("$FINDCLIENT" "$E2E_DIR/shot.png" "$E2E_DIR/x-client.png" || true)
    case "$result" in "at "*" differing 0 "*) break ;; esac
done
kill -0 "$E2E_APP_PID" 2>/dev/null || fail "the program ended under Wayland: $(cat "$E2E_DIR/app.log")"

case "$result" in
"at "*) ;;
*) fail "the main window's client area is nowhere in the Weston screenshot" ;;
esac
read -r _ x y _ differing _ glyphs <<<"$result"
[ "$differing" -eq 0 ] ||
    fail "client area at $x,$y: $differing of 876 x 722 pixels differ from the X screenshot"
# The button area at the right of the title bar: minimise and close, no maximise between.
[ "$glyphs" -eq 2 ] || fail "title bar shows $glyphs button glyphs, want 2 (minimise, close)"

echo "e2e wayland_window: ok (client area at $x,$y identical to X, 2 title bar buttons)"
