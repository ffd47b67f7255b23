#!/usr/bin/python3
"""Screenshots of the program's own board for the network's training: the built program under a
private Xvfb at the three layouts' screen heights, puzzles made from the built-in ones by
relabelling digits and swapping rows and columns, a few digits entered and candidates struck
out from the keyboard. Each window shot is written with its truth, read back with Ctrl+C.

Usage: own_screens.py ZARVICK OUTDIR [--seed N] [--boards N]"""
import argparse
import os
import random
import subprocess
import tempfile
import time

BUILT_IN = [
    "5.68.............6...6..132.8.3..2.5...9.1...7.1..8.6.679..3...2.............94.8",
    ".4..8592...2.....1...3.28.......7.12.........32.9.......36.4...9.....2...7452..6.",
]


def variant(line, rng):
    digits = list(range(1, 10))
    rng.shuffle(digits)
    grid = [[line[r * 9 + c] for c in range(9)] for r in range(9)]
    bands = rng.sample(range(3), 3)
    rows = [b * 3 + r for b in bands for r in rng.sample(range(3), 3)]
    stacks = rng.sample(range(3), 3)
    cols = [s * 3 + c for s in stacks for c in rng.sample(range(3), 3)]
    out = ""
    for r in rows:
        for c in cols:
            ch = grid[r][c]
            out += "." if ch == "." else str(digits[int(ch) - 1])
    return out


def run(*args, **kw):
    return subprocess.run(args, check=True, capture_output=True, text=True, **kw).stdout


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("zarvick")
    ap.add_argument("out")
    ap.add_argument("--seed", type=int, default=7)
    ap.add_argument("--boards", type=int, default=8)
    a = ap.parse_args()
    os.makedirs(a.out, exist_ok=True)
    rng = random.Random(a.seed)
    for height in (1024, 850, 740):
        with tempfile.TemporaryDirectory() as tmp:
            display = ":%d" % (180 + height % 97)
            xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x%dx24" % height,
                                     "-nolisten", "tcp", "-noreset"], stderr=subprocess.DEVNULL)
            env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
            time.sleep(1)
            wm = subprocess.Popen(["openbox", "--sm-disable"], env=env,
                                  stderr=subprocess.DEVNULL)
            time.sleep(1)
            app = subprocess.Popen([a.zarvick], env=env, stderr=subprocess.DEVNULL)
            wid = run("xdotool", "search", "--sync", "--onlyvisible", "--name", "^Zarvick V",
                      env=env).split()[0]
            run("xdotool", "windowactivate", "--sync", wid, env=env)
            time.sleep(0.5)
            for board in range(a.boards):
                puzzle = variant(rng.choice(BUILT_IN), rng)
                path = os.path.join(tmp, "p.txt")
                with open(path, "w") as f:
                    f.write(puzzle)
                subprocess.run(["xclip", "-selection", "clipboard", "-i", path], env=env)
                time.sleep(0.3)
                run("xdotool", "mousemove", "1270", "%d" % (height - 5), "key", "ctrl+v",
                    env=env)
                time.sleep(0.4)
                run("xdotool", "key", "Right", env=env)  # shows the cursor at row 1, column 1
                for _ in range(rng.randrange(0, 12)):
                    keys = ["Right"] * rng.randrange(1, 9) + ["Down"] * rng.randrange(0, 3)
                    keys.append(("ctrl+%d" if rng.random() < 0.6 else "%d") % rng.randrange(1, 10))
                    run("xdotool", "key", "--delay", "20", *keys, env=env)
                run("xdotool", "key", "Escape", env=env)  # the frame is no part of a board
                time.sleep(0.4)
                run("xdotool", "key", "ctrl+c", env=env)
                time.sleep(0.3)
                truth = run("xclip", "-selection", "clipboard", "-o", env=env).strip()
                name = "zarvick-%d-%02d" % (height, board)
                run("import", "-window", wid, os.path.join(a.out, name + ".png"), env=env)
                with open(os.path.join(a.out, name + ".dat"), "w") as f:
                    f.write("style: own\nheight %d\n" % height)
                    for r in range(9):
                        f.write(" ".join("0" if ch == "." else ch
                                         for ch in truth[r * 9:r * 9 + 9]) + "\n")
            app.kill()
            wm.kill()
            xvfb.kill()


if __name__ == "__main__":
    main()
