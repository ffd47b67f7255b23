#!/usr/bin/python3
"""Checks the screenshot renderer on one run of len(STYLES) pictures: every style is there and
shows what it promises, each truth is a non-clashing puzzle that says what the picture shows,
and the seed renders the same pictures in another process."""

import math
import os
import subprocess
import sys
import tempfile
import types
import unittest

import cv2
import numpy as np
from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import render_screenshots as rs  # noqa: E402

SEED = 5
CELL = 64  # pixels per cell after straightening, enough for the 16 px cells and the huge grids
DIGIT = CELL * 0.375  # digits stand at least 45 % of a cell high, pencil marks at most 28 %

# What a style shows, measured on its picture. Styles without an entry only vary colours and
# lines, which the truth check below already sees through.
PROMISES = {
    "phone": lambda s: s.img.height > 2 * s.img.width,
    "dark": lambda s: np.median(s.flat) < 90,
    "tiny": lambda s: 16 <= s.pitch <= 21,
    "huge": lambda s: 9 * s.pitch >= 1000,
    "rotated": lambda s: 1 <= s.angle <= 5.01,
    "pencil": lambda s: any(0 < h < DIGIT for h in s.empty_ink),
    "candidates": lambda s: all(0 < h < DIGIT for h in s.empty_ink),
}


def clashing_units(grid):
    rows = [[(r, c) for c in range(9)] for r in range(9)]
    cols = [[(r, c) for r in range(9)] for c in range(9)]
    boxes = [[(b // 3 * 3 + i, b % 3 * 3 + j) for i in range(3) for j in range(3)]
             for b in range(9)]
    clashing = []
    for unit in rows + cols + boxes:
        digits = [grid[r][c] for r, c in unit if grid[r][c]]
        if len(digits) != len(set(digits)):
            clashing.append(unit)
    return clashing


def measure(img, corners, grid):
    """Straightens the grid by its corners and finds the tallest ink blot in each cell's middle,
    away from the lines: digits are tall, pencil marks short, an empty cell has none."""
    side = 9 * CELL
    square = np.float32([[0, 0], [side, 0], [side, side], [0, side]])
    warp = cv2.getPerspectiveTransform(np.float32(corners), square)
    grey = np.asarray(img.convert("L"), dtype=np.float32)
    flat = cv2.warpPerspective(grey, warp, (side, side), flags=cv2.INTER_AREA)
    inset = CELL * 15 // 100
    heights = [[0] * 9 for _ in range(9)]
    for r in range(9):
        for c in range(9):
            top, left = r * CELL + inset, c * CELL + inset
            cell = flat[top : top + CELL - 2 * inset, left : left + CELL - 2 * inset]
            ink = (np.abs(cell - np.median(cell)) > 60).astype(np.uint8)
            stats = cv2.connectedComponentsWithStats(ink)[2]
            heights[r][c] = max(stats[1:, cv2.CC_STAT_HEIGHT], default=0)
    (x0, y0), (x1, y1) = corners[0], corners[1]
    return types.SimpleNamespace(
        img=img, flat=flat, heights=heights,
        pitch=math.hypot(x1 - x0, y1 - y0) / 9,
        angle=abs(math.degrees(math.atan2(y1 - y0, x1 - x0))),
        empty_ink=[heights[r][c] for r in range(9) for c in range(9) if not grid[r][c]])


class RenderedSet(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        script = os.path.join(HERE, "render_screenshots.py")
        args = ["--seed", str(SEED), "--count", str(len(rs.STYLES)), "--out", cls.tmp.name]
        subprocess.run([sys.executable, script] + args, check=True, stdout=subprocess.DEVNULL)

    def test_each_style_keeps_its_promise_and_its_truth_matches_its_picture(self):
        self.assertLessEqual(set(PROMISES), set(rs.STYLES))
        self.assertEqual(len(os.listdir(self.tmp.name)), 2 * len(rs.STYLES))
        for index, style in enumerate(rs.STYLES):
            stem = os.path.join(self.tmp.name, "shot%03d-%s" % (index, style))
            with self.subTest(style=style):
                with open(stem + ".dat") as f:
                    lines = f.read().splitlines()
                self.assertEqual(len(lines), 11)
                self.assertEqual(lines[0], "style: " + style)
                grid = [[int(t) for t in line.split(" ")] for line in lines[2:]]
                self.assertTrue(all(len(row) == 9 and set(row) <= set(range(10)) for row in grid))
                self.assertEqual(clashing_units(grid), [])
                self.assertTrue(22 <= sum(d > 0 for row in grid for d in row) <= 62)
                img = Image.open(stem + (".jpg" if style == "jpeg" else ".png"))
                self.assertEqual(lines[1], "%dx%d" % img.size)

                again, shown, _, g = rs.render_one(SEED, index)
                self.assertEqual(shown, grid, "another process rendered another puzzle")
                if style != "jpeg":
                    same = np.array_equal(np.asarray(img.convert("RGB")), np.asarray(again))
                    self.assertTrue(same, "another process rendered other pixels")
                corners = g["corners"]
                self.assertTrue(all(0 <= x < img.width and 0 <= y < img.height for x, y in corners))
                seen = measure(img, corners, grid)
                wrong = [(r + 1, c + 1) for r in range(9) for c in range(9)
                         if (seen.heights[r][c] >= DIGIT) != (grid[r][c] > 0)]
                self.assertEqual(wrong, [], "cells (row, column) where picture and truth differ")
                if style in PROMISES:
                    self.assertTrue(PROMISES[style](seen), "the picture does not show it")


if __name__ == "__main__":
    unittest.main()
