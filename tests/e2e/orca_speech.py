"""Plays the program with the keyboard while Orca runs, and checks what Orca says at each step:
its SPEECH OUTPUT lines, in order, leaving out the echo of the keys pressed.

Run by orca_speech.sh inside its private session, once Orca and the program have started.
usage: orca_speech.py ORCA-DEBUG-FILE
"""
import re
import subprocess
import sys
import time

TIMEOUT = 25  # seconds for Orca to say what a step wants
QUIET = 1.5  # then this long without events, keys or speech, for anything said too much

TITLE = "Zarvick V0.9 (c) 2026 The Zarvick developers"
ABOUT = ("About dialog Zarvick, Version 0.9 (c) 2026 The Zarvick developers Helps solve Sudoku "
         "puzzles. Click on 'Easy' to begin.")

# (what the player does, the keys, what Orca says). The Easy puzzle's row 3 is
# . . . 6 . . 1 3 2, and row 1, column 1 holds a 5.
STEPS = [
    ("the start", [], ["Screen reader on.", TITLE + " frame.", "Undo push button."]),
    ("Tab to Easy", ["Tab"] * 4,
     ["Hints panel.", "Check for Stragglers push button.", "Check for Remaining push button.",
      "New panel.", "Blank push button.", "Easy push button."]),
    ("Space on Easy", ["space"], ["Easy puzzle, 26 givens."]),
    ("the first arrow", ["Right"], ["Row 1, column 1: 5."]),
    ("Right", ["Right"], ["Row 1, column 2: empty, candidates 1 2 3 4 9."]),
    ("Down", ["Down"], ["Row 2, column 2: empty, candidates 1 2 3 4 9."]),
    ("Down", ["Down"], ["Row 3, column 2: empty, candidates 4 9."]),
    ("5, excluded, at an empty cell", ["5"],
     ["Row 3, column 2: 5; 5 was excluded here by row 1, column 1."]),
    ("Right", ["Right"], ["Row 3, column 3: empty, candidates 4 7 8."]),
    ("Ctrl+4", ["ctrl+4"], ["Row 3, column 3: empty, candidates 7 8, struck out 4."]),
    ("Ctrl+Z", ["ctrl+z"],
     ["Undone in the log only: 4 stays struck out at row 3, column 3; Ctrl+4 restores it."]),
    ("Ctrl+Z", ["ctrl+z"], ["Row 3, column 2: empty, candidates 4 9."]),
    ("End", ["End"], ["Row 3, column 9: 2."]),
    ("Delete at a given", ["Delete"], ["Row 3, column 9: empty, candidates 2 4 7 9."]),
    ("Ctrl+Z", ["ctrl+z"], ["Row 3, column 9: 2."]),
    ("Home", ["Home"], ["Row 3, column 1: empty, candidates 4 8 9."]),
    ("Where Am I", ["KP_Enter"],
     ["table.", "table cell.", "Row 3, column 1: empty, candidates 4 8 9."]),
    ("another window", "away", ["Another window", "Back push button."]),
    ("back", "back", [TITLE, "Row 3, column 1: empty, candidates 4 8 9."]),
    ("Escape", ["Escape"], ["New panel.", "Easy push button."]),
    ("Shift+Tab to Check for Stragglers", ["shift+Tab"] * 3,
     ["Blank push button.", "Hints panel.", "Check for Remaining push button.",
      "Check for Stragglers push button."]),
    ("a hint", ["space"], ["Row 4, column 3: 4; Row 7, column 7: 5; Row 7, column 9: 1."]),
    ("Tab to About", ["Tab"] * 6,
     ["Check for Remaining push button.", "New panel.", "Blank push button.",
      "Easy push button.", "Medium push button.", "Hard push button.", "About panel.",
      "About push button."]),
    ("About", ["space"], [ABOUT, "OK push button."]),
]

SPEECH = re.compile(r"SPEECH OUTPUT: '(.*?)'( voice=\w+)?\s*(\[?\{.*\}\]?|ACSS\(.*)?\s*$")
BUSY = ("EVENT MANAGER: Dequeued", "KEYBOARD_EVENT", "SPEECH OUTPUT")


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def speech(lines):
    """What Orca said, without the echo of the keys: Orca logs that it presents a key just
    before it echoes it."""
    said, echo = [], False
    for line in lines:
        if "DEFAULT: Presenting keyboard event" in line:
            echo = True
            continue
        found = SPEECH.search(line)
        if found:
            if not echo:
                said.append(found.group(1))
            echo = False
    return said


def hear(log, want, label, lines):
    """Waits for Orca to say what the step wants, then for Orca to be quiet, and compares; with
    nothing wanted, only waits for Orca to be quiet. Gives what Orca logged in the step."""
    deadline = time.monotonic() + TIMEOUT
    while want is not None and speech(lines) != want and time.monotonic() < deadline:
        time.sleep(0.1)
        lines += log.read().splitlines()
    quiet_since = time.monotonic()
    while time.monotonic() - quiet_since < QUIET and time.monotonic() < deadline + QUIET:
        time.sleep(0.1)
        fresh = log.read().splitlines()
        lines += fresh
        if any(b in line for line in fresh for b in BUSY):
            quiet_since = time.monotonic()
    have = speech(lines)
    if want is not None and have != want:
        fail(f"{label}: Orca said {have}, want {want}")
    return lines


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True,
                          text=True).stdout.split()


def another_window():
    """A window of another program, with a button, for the player to switch to and back."""
    import gi
    gi.require_version("Gtk", "3.0")
    from gi.repository import Gtk
    window = Gtk.Window(title="Another window")
    window.add(Gtk.Button(label="Back"))
    window.connect("destroy", Gtk.main_quit)
    window.show_all()
    Gtk.main()


def main():
    if sys.argv[1] == "--another-window":
        return another_window()
    log = open(sys.argv[1], encoding="utf-8", errors="replace")
    window = xdotool("search", "--onlyvisible", "--name", "^Zarvick V")[0]
    other = None
    try:
        for label, keys, want in STEPS:
            lines = []
            if keys == "away":
                other = subprocess.Popen([sys.executable, __file__, "--another-window"])
            elif keys == "back":
                xdotool("windowactivate", "--sync", window)
            else:
                # Each key is heard out before the next, as a player listens.
                for i, key in enumerate(keys):
                    if i > 0:
                        lines = hear(log, None, label, lines)
                    xdotool("key", key)
            hear(log, want, label, lines)
            print(f"{label}: {want}")
    finally:
        if other is not None:
            other.kill()
    print("e2e orca_speech: ok")


main()
