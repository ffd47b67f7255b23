#!/usr/bin/env bash
# What a blind player hears: Orca, with its default settings but a silent speech server, reads
# the real program in a private Xvfb, D-Bus session and accessibility bus while keys are typed.
# The steps and what Orca must say at each are in orca_speech.py.
HERE=$(cd "$(dirname "$0")" && pwd)
LAUNCHER=/usr/libexec/at-spi-bus-launcher

if [ -z "${E2E_IN_DBUS_SESSION:-}" ]; then
    for tool in dbus-run-session dbus-send openbox xdotool; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
    done
    [ -x "$LAUNCHER" ] || { echo "skipped: at-spi2-core is missing"; exit 77; }
    command -v orca >/dev/null && /usr/bin/python3 -c 'import orca, pyatspi' 2>/dev/null ||
        { echo "skipped: orca is missing (scripts/deps.sh installs it)"; exit 77; }
    E2E_IN_DBUS_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi

source "$HERE/lib.sh"

# Nothing of the user's own settings is read or written, Orca's included.
export HOME=$E2E_DIR/home XDG_CONFIG_HOME=$E2E_DIR/home/.config
export XDG_DATA_HOME=$E2E_DIR/home/.local/share XDG_CACHE_HOME=$E2E_DIR/home/.cache
export XDG_RUNTIME_DIR=$E2E_DIR/run GSETTINGS_BACKEND=memory
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

start_atspi_bus
start_xvfb
start_openbox

# Orca's defaults, but for the speech server, and no braille or sounds.
PREFS=$E2E_DIR/orca
mkdir -p "$PREFS"
cat >"$PREFS/user-settings.conf" <<'EOF'
{"general": {"speechServerFactory": "orca_headless", "enableBraille": false,
             "enableSound": false},
 "pronunciations": {}, "keybindings": {},
 "profiles": {"default": {"profile": ["Default", "default"],
                          "speechServerFactory": "orca_headless",
                          "enableBraille": false, "enableSound": false}}}
EOF
ORCA_LOG=$E2E_DIR/orca-debug.log
/usr/bin/python3 "$HERE/orca_headless.py" "$PREFS" "$ORCA_LOG" >"$E2E_DIR/orca.out" 2>&1 &
ORCA_PID=$!
E2E_PIDS+=("$ORCA_PID")
# Orca may end itself with SIGKILL when its shutdown waits too long; that is no news.
disown "$ORCA_PID"
for _ in $(seq 600); do
    grep -q "SPEECH OUTPUT: 'Screen reader on.'" "$ORCA_LOG" 2>/dev/null && break
    kill -0 "$ORCA_PID" 2>/dev/null || { tail -n 5 "$E2E_DIR/orca.out"; fail "Orca ended"; }
    sleep 0.1
done
grep -q "SPEECH OUTPUT: 'Screen reader on.'" "$ORCA_LOG" || fail "Orca did not start"

start_app
activate_app
# The keys must reach the cursor, not the cell under the pointer.
xdotool mousemove --sync 0 0

/usr/bin/python3 "$HERE/orca_speech.py" "$ORCA_LOG" || {
    cp "$ORCA_LOG" /tmp/e2e-orca_speech-debug.log
    fail "what Orca says (its debug file is kept in /tmp/e2e-orca_speech-debug.log)"
}
