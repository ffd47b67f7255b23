#!/usr/bin/python3
"""Checks the screenshot renderer: one run of len(STYLES) pictures holds every style, each
truth is a non-clashing puzzle that says what the picture shows, and a seed renders the same
pictures in any process."""

import os
import subprocess
import sys
import tempfile
import unittest

import cv2
import numpy as np
from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import render_screenshots as rs  # noqa: E402

SEED = 5
CELL = 64  # pixels per cell after straightening, enough for the 16 px cells and the huge grids


def units():
    rows = [[(r, c) for c in range(9)] for r in range(9)]
    cols = [[(r, c) for r in range(9)] for c in range(9)]
    boxes = [[(3 * (b // 3) + i, 3 * (b % 3) + j) for i in range(3) for j in range(3)] for b in range(9)]
    return rows + cols + boxes


def clashing_units(grid):
    return [u for u in units() if len([grid[r][c] for r, c in u if grid[r][c]]) != len({grid[r][c] for r, c in u if grid[r][c]})]


def cells_with_digits(img, corners):
    """Which cells hold ink as tall as a digit: pencil marks and line remnants stay below it."""
    grey = np.asarray(img.convert("L"), dtype=np.float32)
    side = 9 * CELL
    warp = cv2.getPerspectiveTransform(np.float32(corners), np.float32([[0, 0], [side, 0], [side, side], [0, side]]))
    flat = cv2.warpPerspective(grey, warp, (side, side), flags=cv2.INTER_AREA)
    inset = CELL * 15 // 100
    found = [[False] * 9 for _ in range(9)]
    for r in range(9):
        for c in range(9):
            cell = flat[r * CELL + inset : (r + 1) * CELL - inset, c * CELL + inset : (c + 1) * CELL - inset]
            ink = (np.abs(cell - np.median(cell)) > 60).astype(np.uint8)
            _, _, stats, _ = cv2.connectedComponentsWithStats(ink)
            found[r][c] = max(stats[1:, cv2.CC_STAT_HEIGHT], default=0) >= CELL * 0.375
    return found


class RenderedSet(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        script = os.path.join(HERE, "render_screenshots.py")
        args = ["--seed", str(SEED), "--count", str(len(rs.STYLES)), "--out", cls.tmp.name]
        subprocess.run([sys.executable, script] + args, check=True, stdout=subprocess.DEVNULL)

    def test_each_style_once_with_a_truth_that_matches_its_picture(self):
        for index, style in enumerate(rs.STYLES):
            stem = os.path.join(self.tmp.name, "shot%03d-%s" % (index, style))
            with self.subTest(style=style):
                with open(stem + ".dat") as f:
                    lines = f.read().splitlines()
                self.assertEqual(len(lines), 11)
                self.assertEqual(lines[0], "style: " + style)
                grid = [[int(t) for t in line.split(" ")] for line in lines[2:]]
                self.assertTrue(all(len(row) == 9 and all(0 <= d <= 9 for d in row) for row in grid), lines)
                self.assertEqual(clashing_units(grid), [])
                self.assertTrue(22 <= sum(d > 0 for row in grid for d in row) <= 62)
                img = Image.open(stem + (".jpg" if style == "jpeg" else ".png"))
                self.assertEqual(lines[1], "%dx%d" % img.size)
                corners = rs.render_one(SEED, index)[3]["corners"]
                self.assertTrue(all(0 <= x < img.width and 0 <= y < img.height for x, y in corners), corners)
                want = [[d > 0 for d in row] for row in grid]
                have = cells_with_digits(img, corners)
                wrong = [(r + 1, c + 1) for r in range(9) for c in range(9) if have[r][c] != want[r][c]]
                self.assertEqual(wrong, [], "cells (row, column) where the picture and the truth differ")
        self.assertEqual(len(os.listdir(self.tmp.name)), 2 * len(rs.STYLES))

    def test_a_seed_renders_the_same_pixels_in_another_process(self):
        for index in (rs.STYLES.index("page"), rs.STYLES.index("rotated"), rs.STYLES.index("candidates")):
            name = "shot%03d-%s.png" % (index, rs.STYLES[index])
            with self.subTest(name=name):
                saved = np.asarray(Image.open(os.path.join(self.tmp.name, name)).convert("RGB"))
                again = np.asarray(rs.render_one(SEED, index)[0])
                self.assertTrue(np.array_equal(saved, again))
        self.assertNotEqual(rs.render_one(SEED, 0)[1], rs.render_one(SEED + 1, 0)[1])


if __name__ == "__main__":
    unittest.main()
