#!/usr/bin/python3
"""What the training data promises: the held-out photos stay out, a crop is the square the
reader cuts, a seed alone fixes the synthetic crops and they are dark ink on light paper.
Torch-free. Usage: training_data_test.py path/to/tools/digitnet
"""

import os
import sys
import tempfile

import cv2
import numpy as np

sys.path.insert(0, sys.argv[1])
import realcells  # noqa: E402
import synth  # noqa: E402

failures = []


def check(name, have, want):
    if have != want:
        failures.append(f"{name}: have {have}, want {want}")


def write_grid(folder, name, grid, truth_row0):
    cv2.imwrite(os.path.join(folder, name + ".png"), grid)
    rows = [" ".join(str(v) for v in truth_row0)] + ["0 0 0 0 0 0 0 0 0"] * 8
    with open(os.path.join(folder, name + ".dat"), "w", encoding="utf-8") as f:
        f.write("phone\n640x480\n" + "\n".join(rows) + "\n")


# Numeric order puts image9 before image10; in name order every fourth would be other photos.
with tempfile.TemporaryDirectory() as d:
    for n in (1, 2, 3, 9, 10, 11, 20, 100, 1000):
        open(os.path.join(d, f"image{n}.jpg"), "w").close()
    open(os.path.join(d, "image5.dat"), "w").close()
    check("held-out photos", realcells.held_out_photos(d), {9, 100})

# Each cell of the grid is filled with its own index, so a crop shows where it was cut.
index = (np.arange(288)[:, None] // 32) * 9 + np.arange(288)[None, :] // 32
grid = index.astype(np.uint8)
crops = realcells.cut(grid)
check("crops out of place", [j for j in range(81) if not int(crops[j].min()) == int(crops[j].max()) == j], [])
shifted = realcells.cut(grid, dx=3, dy=-2)
check("shifted crop, neighbour to the right", int(shifted[40][5, 29]), 41)
check("shifted crop, neighbour above", int(shifted[40][1, 5]), 31)
check("shifted crop at the grid's edge", int(shifted[8][5, 31]), 8)

with tempfile.TemporaryDirectory() as d:
    write_grid(d, "image10", grid, [5, 0, 0, 0, 0, 0, 0, 0, 9])
    grids = realcells.load_grids(d, refuse={9})
    check("truth of a loaded grid", [(n, list(t[0])) for n, _, t in grids], [("image10", [5, 0, 0, 0, 0, 0, 0, 0, 9])])
    write_grid(d, "image9", grid, [0] * 9)
    try:
        realcells.load_grids(d, refuse={9})
        failures.append("a held-out photo's grid was loaded for training")
    except SystemExit:
        pass

glyphs = synth.Glyphs(synth.font_files()[:4])
a_cells, a_labels = synth.batch(np.random.default_rng(5), glyphs, 300)
b_cells, b_labels = synth.batch(np.random.default_rng(5), glyphs, 300)
check("same seed, same crops", np.array_equal(a_cells, b_cells) and np.array_equal(a_labels, b_labels), True)
check("crop shape", (a_cells.shape[1:], a_cells.dtype), ((32, 32), np.uint8))
digits = a_cells[a_labels > 0].reshape(-1, 32 * 32).astype(np.float32)
light_paper = np.median(digits, 1) > (digits.min(1) + digits.max(1)) / 2
if light_paper.mean() < 0.9:
    failures.append(f"digit crops with paper lighter than ink: have {light_paper.mean():.0%}, want at least 90%")

for f in failures:
    print(f)
sys.exit(1 if failures else 0)
