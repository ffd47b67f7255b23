"""Reads the running program through AT-SPI, as a screen reader does, and drives it with keys.

Run by screen_reader.sh with Debian's /usr/bin/python3 inside the private D-Bus session, the
program already up. Argument: the path of board/puzzleboard.h, which holds the Easy puzzle.
"""
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TIMEOUT = 20
COMMANDS = ["Undo", "Check for Stragglers", "Check for Remaining", "Blank", "Easy", "Medium",
            "Hard", "About", "Check for News and Upgrades", "Help"]


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def pump():
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for(what, test, explain=lambda: ""):
    deadline = time.monotonic() + TIMEOUT
    while True:
        pump()
        result = test()
        if result:
            return result
        if time.monotonic() > deadline:
            fail(f"{what}: {explain()}")
        time.sleep(0.05)


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)


# What the board should say: a digit, or the digits no peer holds.
def expected_names(digits):
    names = []
    for p in range(81):
        row, column = divmod(p, 9)
        head = f"Row {row + 1}, column {column + 1}: "
        if digits[p]:
            names.append(head + str(digits[p]))
            continue
        held = {digits[q] for q in range(81) if q != p and (
            q // 9 == row or q % 9 == column or
            (q // 27 == p // 27 and q % 9 // 3 == column // 3))}
        free = [str(d) for d in range(1, 10) if d not in held]
        names.append(head + ("empty, candidates " + " ".join(free) if free
                             else "empty, no candidates"))
    return names


def easy_digits(header):
    text = open(header, encoding="utf-8").read()
    found = re.search(r'kEasyPuzzle\s*=\s*((?:"[^"]*"\s*)+);', text)
    if not found:
        fail(f"no Easy puzzle in {header}")
    return [int(v) for v in "".join(re.findall(r'"([^"]*)"', found.group(1))).split(",")]


def find_all(node, test, skip=lambda n: False, found=None):
    found = [] if found is None else found
    if test(node):
        found.append(node)
    if not skip(node):
        for child in node:
            find_all(child, test, skip, found)
    return found


def has(node, state):
    return node.getState().contains(state)


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail(f"{node.name} offers no Press action, only {names}")
    action.doAction(names.index("Press"))


class Events:
    """Focus and name changes as the program reports them."""

    def __init__(self):
        self.focused = []
        self.renamed = []
        pyatspi.Registry.registerEventListener(self.on_focus, "object:state-changed:focused")
        pyatspi.Registry.registerEventListener(self.on_name, "object:property-change:accessible-name")

    def on_focus(self, event):
        if event.detail1 == 1:
            self.focused.append(event.source)

    def on_name(self, event):
        if event.source.getRoleName() == "table cell":
            self.renamed.append(event.source.getIndexInParent())


def main():
    digits = easy_digits(sys.argv[1])
    events = Events()

    def program():
        desktop = pyatspi.Registry.getDesktop(0)
        return next((a for a in desktop if a is not None and a.name == "zarvick"), None)

    app = wait_for("the program on the accessibility bus", program)
    frame = wait_for("the main window", lambda: next(
        (w for w in app if w.getRoleName() == "frame" and w.name.startswith("Zarvick")), None))

    # The command buttons, without walking the 729 candidates.
    buttons = find_all(frame, lambda n: n.getRoleName() == "push button" and
                       has(n, pyatspi.STATE_SHOWING),
                       skip=lambda n: n.getRoleName() == "table")
    names = [b.name for b in buttons]
    if sorted(names) != sorted(COMMANDS):
        fail(f"command buttons: have {names}, want {COMMANDS}")
    button = dict(zip(names, buttons))

    wait_for("Undo holds the focus at start", lambda: has(button["Undo"], pyatspi.STATE_FOCUSED))
    key("Tab")
    wait_for("Tab reports the focus on the next button",
             lambda: any(f.name == "Check for Stragglers" for f in events.focused),
             lambda: f"focus events on {[f.name for f in events.focused]}")

    tables = find_all(frame, lambda n: n.getRoleName() == "table",
                      skip=lambda n: n.getRoleName() == "table")
    if len(tables) != 1:
        fail(f"{len(tables)} tables in the main window, want 1")
    # 81 cells in reading order, each a leaf: a screen reader reads a cell with children as
    # its children.
    cells = list(tables[0])
    if len(cells) != 81 or any(c.getRoleName() != "table cell" for c in cells):
        fail(f"the board holds {[c.getRoleName() for c in cells]}, want 81 table cells")
    parents = [c.name for c in cells if c.childCount]
    if parents:
        fail(f"cells with children: {parents}")

    def board_names():
        return [c.name for c in cells]

    def expect_board(when, digits, before=None):
        want = expected_names(digits)

        def differences():
            have = board_names()
            return "; ".join(f"have {h!r}, want {w!r}" for h, w in zip(have, want) if h != w)

        wait_for(when, lambda: board_names() == want, differences)
        if before is None:
            return
        # Each cell whose name changed is reported once, and no other.
        changed = sorted(i for i in range(81) if want[i] != before[i])
        wait_for(f"{when}: name changes reported", lambda: sorted(events.renamed) == changed,
                 lambda: f"reported cells {sorted(events.renamed)}, want {changed}")

    press(button["Easy"])
    expect_board("the table after Easy", digits)

    def cell(row, column):
        return cells[row * 9 + column]

    # The first arrow shows the cursor on row 1, column 1; the others move it.
    for arrow, row, column in (("Right", 0, 0), ("Right", 0, 1), ("Down", 1, 1), ("Up", 0, 1)):
        events.focused.clear()
        key(arrow)
        wait_for(f"{arrow} reports the focus on row {row + 1}, column {column + 1}",
                 lambda: any(f.getRoleName() == "table cell" and
                             f.getIndexInParent() == row * 9 + column for f in events.focused),
                 lambda: f"focus events on {[f.name for f in events.focused]}")
        if not has(cell(row, column), pyatspi.STATE_FOCUSED):
            fail(f"row {row + 1}, column {column + 1} is not focused after {arrow}")
    focused = [i for i in range(81) if has(cells[i], pyatspi.STATE_FOCUSED)]
    if focused != [1]:
        fail(f"focused cells {focused}, want only row 1, column 2")

    before = expected_names(digits)
    entered = list(digits)
    entered[1] = 4
    events.renamed.clear()
    key("4")
    expect_board("the table after 4 at the cursor", entered, before)

    events.renamed.clear()
    key("ctrl+z")
    expect_board("the table after Undo", digits, expected_names(entered))
    print("e2e screen_reader: ok")


main()
