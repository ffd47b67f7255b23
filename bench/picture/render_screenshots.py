#!/usr/bin/python3
"""Renders screenshot-like pictures of Sudoku puzzles, each NAME.png (NAME.jpg for the JPEG
style) beside NAME.dat holding its truth. The default seed makes the accuracy benchmark; any
other seed makes pictures to train on, so the benchmark is never seen in training.

    render_screenshots.py --out DIR [--seed N] [--count N]
"""

import argparse
import functools
import math
import os
import random
import sys

import cv2
import numpy as np
from PIL import Image, ImageDraw, ImageFont

BENCH_SEED = 1
PER_STYLE = 8

# Picture i has style STYLES[i % len(STYLES)], so any run of len(STYLES) pictures holds every
# style and accuracy can be reported per style.
STYLES = [
    "page",  # a grid somewhere in a desktop page, with text, toolbars and non-Sudoku tables
    "phone",  # a phone app, 1080 wide and tall, with a number pad under the grid
    "thin_lines",  # every line one pixel
    "thick_lines",  # every line equally thick
    "block_lines",  # thin cell lines, thick 3x3 block lines
    "shaded",  # grey or coloured cell backgrounds
    "highlight",  # a selected cell and its row, column, block and equal digits highlighted
    "dark",  # light digits on a dark grid
    "tiny",  # 16-20 px cells
    "huge",  # grids of 1000 px and more
    "jpeg",  # saved as JPEG at quality 30-75
    "scaled",  # resized by an odd factor after rendering
    "rotated",  # the page turned by 1-5 degrees
    "player",  # givens in one colour, a player's digits in another
    "pencil",  # a few small candidate digits in some empty cells
    "candidates",  # a helper app: every empty cell shows its candidates as a 3x3 of small digits
]

FONT_ROOT = "/usr/share/fonts/"
# The faces digits are printed in: Debian's common families, regular and bold.
DIGIT_FONTS = [
    "truetype/dejavu/DejaVuSans.ttf",
    "truetype/dejavu/DejaVuSans-Bold.ttf",
    "truetype/dejavu/DejaVuSerif.ttf",
    "truetype/dejavu/DejaVuSerif-Bold.ttf",
    "truetype/dejavu/DejaVuSansMono.ttf",
    "truetype/dejavu/DejaVuSansCondensed-Bold.ttf",
    "truetype/liberation/LiberationSans-Regular.ttf",
    "truetype/liberation/LiberationSans-Bold.ttf",
    "truetype/liberation/LiberationSerif-Regular.ttf",
    "truetype/liberation/LiberationSerif-Bold.ttf",
    "truetype/liberation/LiberationMono-Regular.ttf",
    "truetype/liberation/LiberationSansNarrow-Bold.ttf",
    "truetype/freefont/FreeSans.ttf",
    "truetype/freefont/FreeSansBold.ttf",
    "truetype/freefont/FreeSerif.ttf",
    "truetype/freefont/FreeSerifBold.ttf",
    "truetype/freefont/FreeMono.ttf",
    "truetype/noto/NotoSans-Regular.ttf",
    "truetype/noto/NotoSans-Bold.ttf",
    "truetype/noto/NotoSerif-Regular.ttf",
    "truetype/noto/NotoSerif-Bold.ttf",
    "opentype/urw-base35/NimbusSans-Regular.otf",
    "opentype/urw-base35/NimbusSans-Bold.otf",
    "opentype/urw-base35/NimbusRoman-Regular.otf",
    "opentype/urw-base35/NimbusRoman-Bold.otf",
    "opentype/urw-base35/C059-Roman.otf",
    "opentype/urw-base35/P052-Bold.otf",
    "opentype/urw-base35/URWGothic-Book.otf",
    "opentype/urw-base35/URWBookman-Light.otf",
    "opentype/urw-base35/NimbusMonoPS-Bold.otf",
    "truetype/crosextra/Carlito-Regular.ttf",
    "truetype/crosextra/Carlito-Bold.ttf",
    "truetype/crosextra/Caladea-Regular.ttf",
    "truetype/crosextra/Caladea-Bold.ttf",
]
UI_FONTS = [
    ("truetype/dejavu/DejaVuSans.ttf", "truetype/dejavu/DejaVuSans-Bold.ttf"),
    ("truetype/liberation/LiberationSans-Regular.ttf",
     "truetype/liberation/LiberationSans-Bold.ttf"),
    ("truetype/noto/NotoSans-Regular.ttf", "truetype/noto/NotoSans-Bold.ttf"),
    ("truetype/liberation/LiberationSerif-Regular.ttf",
     "truetype/liberation/LiberationSerif-Bold.ttf"),
    ("truetype/crosextra/Carlito-Regular.ttf", "truetype/crosextra/Carlito-Bold.ttf"),
]

DESKTOP_SIZES = [(1920, 1080), (1366, 768), (1280, 1024), (1600, 900), (1440, 900), (2560, 1440)]
PHONE_SIZES = [(1080, 2340), (1080, 2400), (720, 1600)]

WORDS = (
    "the puzzle of today is rated medium and takes most players about twenty minutes to solve "
    "every row column and box must hold each digit once start where a box is almost full look "
    "for a digit that fits only one cell in its row then check the columns again notes help when "
    "two cells share the same pair of candidates new puzzles appear each morning with three "
    "levels easy medium hard share your time with friends or print the grid for the train weekly "
    "contest results archive subscribe newsletter comments login settings help privacy"
).split()

LIGHT_GIVEN = [(0, 0, 0), (34, 34, 34), (52, 72, 97), (40, 40, 40), (20, 20, 60)]
PLAYER_INK = [(30, 90, 214), (0, 102, 204), (46, 125, 50), (128, 0, 160), (200, 40, 40),
              (0, 120, 140)]
DARK_PLAYER_INK = [(138, 180, 248), (100, 181, 246), (129, 199, 132), (206, 147, 216),
                   (255, 183, 77)]


@functools.lru_cache(maxsize=None)
def font(path, size):
    return ImageFont.truetype(FONT_ROOT + path, max(5, int(size)))


@functools.lru_cache(maxsize=None)
def digit_height(path):
    """Height of the digits (the 8's ink) at size 100, to size digits by their ink, not em."""
    left, top, right, bottom = font(path, 100).getbbox("8", anchor="ls")
    return bottom - top


def check_fonts():
    wanted = DIGIT_FONTS + [f for pair in UI_FONTS for f in pair]
    missing = [p for p in wanted if not os.path.exists(FONT_ROOT + p)]
    if missing:
        sys.exit("missing fonts (fonts-dejavu, fonts-liberation, fonts-freefont-ttf, "
                 "fonts-noto-core, fonts-urw-base35, fonts-crosextra-carlito/caladea): "
                 "fonts-urw-base35, fonts-crosextra-carlito/caladea): " + ", ".join(missing))


# ---------------------------------------------------------------------------------------------
# Puzzles


def solution_grid(rng):
    """A full valid grid: a canonical pattern with its digits, bands, stacks, rows and columns
    shuffled."""

    def order():
        return [3 * band + i for band in rng.sample(range(3), 3) for i in rng.sample(range(3), 3)]

    digits = rng.sample(range(1, 10), 9)
    rows, cols = order(), order()
    pattern = [[(3 * (r % 3) + r // 3 + c) % 9 for c in range(9)] for r in range(9)]
    return [[digits[pattern[rows[r]][cols[c]]] for c in range(9)] for r in range(9)]


def candidates(shown, r, c):
    used = {shown[r][i] for i in range(9)} | {shown[i][c] for i in range(9)}
    br, bc = 3 * (r // 3), 3 * (c // 3)
    used |= {shown[br + i][bc + j] for i in range(3) for j in range(3)}
    return [d for d in range(1, 10) if d not in used]


# ---------------------------------------------------------------------------------------------
# Style parameters


def rand_color(rng, base, spread):
    return tuple(max(0, min(255, v + rng.randint(-spread, spread))) for v in base)


def configure(style, rng):
    """Everything a picture's look depends on; the style's own feature is always on."""
    g = {
        "layout": rng.choice(["page", "page", "tight"]),
        "size": rng.choice(DESKTOP_SIZES),
        "cell": rng.uniform(30, 62),
        "thin": rng.choice([1, 1, 2]),
        "font": rng.choice(DIGIT_FONTS),
        "ui": rng.choice(UI_FONTS),
        "digit_frac": rng.uniform(0.48, 0.78),
        "dark": False,
        "page_bg": rand_color(rng, (250, 250, 250), 5),
        "grid_bg": (255, 255, 255),
        "given": rng.choice(LIGHT_GIVEN),
        "player_ink": rng.choice(PLAYER_INK),
        "players": 0,
        "shading": None,
        "highlight": False,
        "pencil": None,
        "jpeg": None,
        "scale": None,
        "rotate": None,
        "distractors": rng.randint(0, 2),
        "labels": rng.random() < 0.12,
    }
    g["thick"] = g["thin"] + rng.choice([1, 2, 2, 3])
    g["thin_color"] = rng.choice(
        [(0, 0, 0), (150, 150, 150), (190, 196, 205), (120, 120, 120), (90, 90, 90)])
    g["thick_color"] = rng.choice([(0, 0, 0), (52, 72, 97), (40, 40, 40), (70, 70, 70)])
    if rng.random() < 0.3:
        g["players"] = rng.randint(3, 10)
    if style == "page":
        g["layout"], g["distractors"] = "page", rng.randint(2, 4)
        g["labels"] = rng.random() < 0.5
    elif style == "phone":
        g["layout"], g["size"] = "phone", rng.choice(PHONE_SIZES)
        g["dark"] = rng.random() < 0.4
        g["thin"], g["thick"] = rng.choice([(1, 3), (2, 4), (2, 5), (3, 6)])
        g["highlight"] = rng.random() < 0.6
        g["players"] = rng.randint(0, 15)
        if rng.random() < 0.4:
            g["pencil"] = "few"
    elif style == "thin_lines":
        g["thin"] = g["thick"] = 1
        g["thin_color"] = g["thick_color"] = rng.choice([(0, 0, 0), (60, 60, 60), (110, 110, 110)])
    elif style == "thick_lines":
        g["thin"] = g["thick"] = rng.randint(3, 7)
        g["cell"] = rng.uniform(40, 70)
        g["thin_color"] = g["thick_color"]
    elif style == "block_lines":
        g["thin"], g["thick"] = 1, rng.randint(3, 6)
        if rng.random() < 0.3:
            g["thin_color"] = rand_color(rng, (214, 214, 214), 8)
    elif style == "shaded":
        g["shading"] = rng.choice(
            ["alt_blocks", "alt_blocks", "given_cells", "whole_grid", "pastel_blocks"])
    elif style == "highlight":
        g["highlight"] = True
    elif style == "dark":
        g["dark"] = True
    elif style == "tiny":
        g["cell"] = rng.uniform(16, 20.5)
        g["thin"], g["thick"] = 1, rng.choice([1, 2, 2])
        g["digit_frac"] = rng.uniform(0.6, 0.78)
    elif style == "huge":
        g["layout"] = "huge"
        g["cell"] = rng.uniform(112, 330) if rng.random() < 0.5 else rng.uniform(112, 170)
        g["thin"] = rng.randint(1, 4)
        g["thick"] = g["thin"] + rng.randint(2, 9)
    elif style == "jpeg":
        # Thirds of the range, so the few pictures of the style reach its worst end too.
        g["jpeg"] = rng.randint(*rng.choice([(30, 40), (41, 58), (59, 75)]))
        g["subsampling"] = rng.choice([0, 2, 2])
    elif style == "scaled":
        g["cell"] = rng.uniform(30, 56)
        g["scale"] = rng.choice([rng.uniform(0.58, 0.85), rng.uniform(1.17, 1.75)])
    elif style == "rotated":
        g["rotate"] = rng.choice([-1, 1]) * rng.uniform(1.0, 5.0)
    elif style == "player":
        g["players"] = rng.randint(8, 22)
        if rng.random() < 0.5:
            g["player_font"] = rng.choice(DIGIT_FONTS)
    elif style == "pencil":
        g["pencil"] = "few"
        g["cell"] = rng.uniform(36, 70)
    elif style == "candidates":
        g["pencil"] = "all"
        g["cell"] = rng.uniform(42, 75)
        g["players"] = rng.randint(0, 8)
    if g["dark"]:
        g["page_bg"] = rng.choice([(18, 18, 18), (30, 30, 30), (32, 33, 36), (40, 44, 52)])
        g["grid_bg"] = rand_color(rng, (36, 36, 40), 5)
        g["thin_color"] = rand_color(rng, (80, 80, 86), 8)
        g["thick_color"] = rand_color(rng, (170, 170, 175), 40)
        g["given"] = rng.choice(
            [(232, 232, 232), (255, 255, 255), (212, 212, 212), (220, 225, 235)])
        g["player_ink"] = rng.choice(DARK_PLAYER_INK)
    return g


# ---------------------------------------------------------------------------------------------
# Drawing


def text_color(g):
    return (205, 205, 205) if g["dark"] else (40, 40, 40)


def cell_fills(g, rng, shown, givens_mask):
    """The background of each cell, as the app or page would paint it."""
    fills = [[g["grid_bg"]] * 9 for _ in range(9)]
    mode = g["shading"]
    if mode == "alt_blocks":
        shade = rng.choice(
            [(220, 220, 220), (235, 235, 235), (210, 225, 245), (230, 245, 225), (245, 238, 210)])
        for r in range(9):
            for c in range(9):
                if (r // 3 + c // 3) % 2 == 1:
                    fills[r][c] = shade
    elif mode == "given_cells":
        shade = rng.choice([(225, 225, 225), (208, 208, 208), (225, 235, 250)])
        for r in range(9):
            for c in range(9):
                if givens_mask[r][c]:
                    fills[r][c] = shade
    elif mode == "whole_grid":
        shade = rng.choice([(200, 200, 200), (238, 232, 213), (224, 224, 224), (255, 248, 220)])
        fills = [[shade] * 9 for _ in range(9)]
    elif mode == "pastel_blocks":
        pastels = [(255, 228, 225), (225, 245, 255), (232, 255, 232), (255, 250, 215),
                   (240, 230, 255)]
        for r in range(9):
            for c in range(9):
                fills[r][c] = pastels[(3 * (r // 3) + c // 3) % len(pastels)]
    if g["highlight"]:
        sr, sc = rng.randrange(9), rng.randrange(9)
        if g["dark"]:
            peer, same, sel = (50, 56, 70), (60, 80, 110), (70, 100, 150)
        else:
            peer = rng.choice([(226, 235, 243), (238, 243, 248), (240, 240, 240), (255, 249, 219)])
            same = rng.choice([(195, 215, 234), (210, 220, 250)])
            sel = rng.choice([(187, 222, 251), (255, 224, 130), (194, 221, 248), (255, 236, 179)])
        for r in range(9):
            for c in range(9):
                if r == sr or c == sc or (r // 3, c // 3) == (sr // 3, sc // 3):
                    fills[r][c] = peer
                if shown[sr][sc] and shown[r][c] == shown[sr][sc]:
                    fills[r][c] = same
        fills[sr][sc] = sel
        # Some apps fill the selected cell with a strong colour and print its digit white.
        if rng.random() < 0.3:
            fills[sr][sc] = rng.choice([(25, 118, 210), (52, 72, 97), (0, 150, 136)])
            g["white_cell"] = (sr, sc)
    return fills


def draw_digit(draw, path, size_px, digit, cx, cy, color):
    # Centred on its advance across and on its ink up and down, as text widgets place a digit.
    f = font(path, size_px)
    left, top, right, bottom = f.getbbox(str(digit), anchor="ls")
    draw.text((cx - (left + right) / 2, cy - (top + bottom) / 2), str(digit), font=f,
              fill=color, anchor="ls")


def draw_grid(img, g, rng, x0, y0, shown, givens_mask):
    """Draws the grid with its top-left outer corner at (x0, y0); returns its outer box."""
    draw = ImageDraw.Draw(img)
    pitch = g["cell"]
    pos = [round(i * pitch) for i in range(10)]
    widths = [g["thick"] if i % 3 == 0 else g["thin"] for i in range(10)]
    xs = [x0 + p for p in pos]
    ys = [y0 + p for p in pos]
    half = widths[0] // 2
    fills = cell_fills(g, rng, shown, givens_mask)
    for r in range(9):
        for c in range(9):
            draw.rectangle([xs[c], ys[r], xs[c + 1], ys[r + 1]], fill=fills[r][c])
    # Block lines go on top so they win where they cross the cell lines.
    left, top = xs[0] - half, ys[0] - half
    right, bottom = xs[9] - half + widths[9] - 1, ys[9] - half + widths[9] - 1
    for i in sorted(range(10), key=lambda j: j % 3 == 0):
        w, h = widths[i], widths[i] // 2
        color = g["thick_color"] if i % 3 == 0 else g["thin_color"]
        draw.rectangle([xs[i] - h, top, xs[i] - h + w - 1, bottom], fill=color)
        draw.rectangle([left, ys[i] - h, right, ys[i] - h + w - 1], fill=color)

    inner = pitch - g["thin"]
    size = g["digit_frac"] * inner * 100 / digit_height(g["font"])
    player_font = g.get("player_font", g["font"])
    player_size = g["digit_frac"] * inner * 100 / digit_height(player_font)
    jitter = inner * 0.03
    small_path = g["font"] if rng.random() < 0.5 else g["ui"][0]
    small_frac = rng.uniform(0.15, 0.28) if g["pencil"] == "all" else rng.uniform(0.15, 0.24)
    small_size = small_frac * inner * 100 / digit_height(small_path)
    if g["dark"]:
        small_ink = rand_color(rng, (150, 150, 150), 20)
    else:
        small_ink = rng.choice([(90, 90, 90), (120, 120, 120), (60, 60, 60), g["player_ink"]])
    few_style = rng.choice(["corners", "centre", "corners"])
    for r in range(9):
        for c in range(9):
            cx = (xs[c] + xs[c + 1]) / 2 + rng.uniform(-jitter, jitter)
            cy = (ys[r] + ys[r + 1]) / 2 + rng.uniform(-jitter, jitter)
            d = shown[r][c]
            if d and g.get("white_cell") == (r, c):
                draw_digit(draw, g["font"], size, d, cx, cy, (255, 255, 255))
            elif d and givens_mask[r][c]:
                draw_digit(draw, g["font"], size, d, cx, cy, g["given"])
            elif d:
                draw_digit(draw, player_font, player_size, d, cx, cy, g["player_ink"])
            elif g["pencil"] == "all" or (g["pencil"] == "few" and rng.random() < 0.45):
                marks = candidates(shown, r, c)
                if g["pencil"] == "few":
                    marks = sorted(rng.sample(marks, min(len(marks), rng.randint(1, 4))))
                how = few_style if g["pencil"] == "few" else "corners"
                draw_marks(draw, small_path, small_size, marks, xs[c], ys[r], pitch, how, small_ink)
    # The centres of the outer lines, where a reader puts the grid's corners.
    g["outer"] = (xs[0] - half + widths[0] / 2, ys[0] - half + widths[0] / 2,
                  xs[9] - half + widths[9] / 2, ys[9] - half + widths[9] / 2)
    return (x0 - half, y0 - half, xs[9] - half + widths[9], ys[9] - half + widths[9])


def draw_marks(draw, path, size, marks, x, y, pitch, how, color):
    """Candidates as apps write them: each digit in its ninth of the cell, or a row in the
    middle."""
    third = pitch / 3
    if how == "corners":
        for d in marks:
            row, col = (d - 1) // 3, (d - 1) % 3
            draw_digit(draw, path, size, d, x + third * (col + 0.5), y + third * (row + 0.5), color)
    else:
        step = pitch / (len(marks) + 1)
        for i, d in enumerate(marks):
            draw_digit(draw, path, size, d, x + step * (i + 1), y + pitch / 2, color)


def draw_labels(img, g, rng, box):
    """Row and column names outside the grid, as printed puzzles and solving guides put them;
    returns the box that holds the grid and its names."""
    draw = ImageDraw.Draw(img)
    pitch = g["cell"]
    names = rng.choice([("ABCDEFGHI", "123456789"), ("123456789", "ABCDEFGHI"), ("123456789",) * 2])
    size = rng.uniform(0.3, 0.45) * pitch * 100 / digit_height(g["ui"][0])
    ink = (150, 150, 150) if g["dark"] else rng.choice([(100, 100, 100), (0, 0, 0), (80, 100, 140)])
    gap = pitch * 0.45
    for i in range(9):
        middle = box[0] + g["thick"] / 2 + (i + 0.5) * pitch
        draw_digit(draw, g["ui"][0], size, names[0][i], middle, box[1] - gap, ink)
        middle = box[1] + g["thick"] / 2 + (i + 0.5) * pitch
        draw_digit(draw, g["ui"][0], size, names[1][i], box[0] - gap, middle, ink)
    return (box[0] - round(pitch * 0.8), box[1] - round(pitch * 0.8), box[2], box[3])


def grid_extent(g):
    return round(9 * g["cell"]) + g["thick"]


# ---------------------------------------------------------------------------------------------
# Pages around the grid


def overlaps(box, boxes, pad=0):
    return any(box[0] < b[2] + pad and b[0] < box[2] + pad and box[1] < b[3] + pad
               and b[1] < box[3] + pad for b in boxes)


def draw_chrome(img, g, rng):
    """A browser or application frame across the top; returns where the content starts."""
    draw = ImageDraw.Draw(img)
    w, _ = img.size
    reg, bold = g["ui"]
    dark = g["dark"]
    bar = (53, 54, 58) if dark else rng.choice([(222, 225, 230), (240, 240, 240), (232, 234, 237)])
    ink = (230, 230, 230) if dark else (30, 30, 30)
    if rng.random() < 0.5:
        draw.rectangle([0, 0, w, 40], fill=bar)
        x = 8
        tabs = ["Daily Sudoku", "Inbox", "News", "Puzzle archive", "Search", "Weather"]
        for title in rng.sample(tabs, 3):
            draw.rounded_rectangle([x, 6, x + 220, 40], 8, fill=g["page_bg"] if x == 8 else bar)
            draw.text((x + 14, 14), title, font=font(reg, 14), fill=ink)
            x += 230
        draw.rectangle([0, 40, w, 84], fill=g["page_bg"] if not dark else (40, 40, 44))
        draw.rounded_rectangle([120, 48, w - 200, 78], 14, fill=bar)
        url = "https://puzzles.example.org/sudoku/daily/" + str(rng.randint(1000, 9999))
        draw.text((140, 54), url, font=font(reg, 15), fill=ink)
        for i in range(3):
            draw.ellipse([16 + 32 * i, 54, 36 + 32 * i, 74], outline=ink, width=2)
        top = 86
    else:
        draw.rectangle([0, 0, w, 30], fill=bar)
        draw.text((w // 2 - 60, 7), "Puzzle Helper", font=font(bold, 14), fill=ink)
        x = 10
        for item in ["File", "Edit", "View", "Puzzle", "Help"]:
            draw.text((x, 38), item, font=font(reg, 14), fill=ink)
            x += font(reg, 14).getlength(item) + 22
        draw.line([0, 60, w, 60], fill=(120, 120, 120))
        x = 10
        for _ in range(rng.randint(5, 9)):
            draw.rounded_rectangle([x, 66, x + 30, 96], 4, outline=(140, 140, 140), fill=bar)
            icon = rng.choice([(70, 130, 180), (200, 80, 60), (90, 160, 90), ink])
            draw.rectangle([x + 9, 75, x + 21, 87], fill=icon)
            x += 38
        top = 104
    return top


def place(box_size, area, taken, rng, pad):
    for _ in range(60):
        x = rng.randint(area[0], max(area[0], area[2] - box_size[0]))
        y = rng.randint(area[1], max(area[1], area[3] - box_size[1]))
        box = (x, y, x + box_size[0], y + box_size[1])
        if box[2] <= area[2] and box[3] <= area[3] and not overlaps(box, taken, pad):
            return box
    return None


def draw_distractor(img, g, rng, area, taken):
    """A table or box that is not a 9x9 grid: a small digit box, a 4x4 puzzle, a calendar, a
    list."""
    draw = ImageDraw.Draw(img)
    reg, bold = g["ui"]
    ink = text_color(g)
    kind = rng.choice(["small_grid", "calendar", "stats", "picture", "buttons"])
    if kind == "small_grid":
        n, cs = rng.choice([3, 4, 4, 6]), rng.randint(22, 48)
        box = place((n * cs + 3, n * cs + 3), area, taken, rng, 30)
        if box:
            for i in range(n + 1):
                wdt = 3 if n in (4, 6) and i % 2 == 0 or i in (0, n) else 1
                x, y = box[0] + i * cs, box[1] + i * cs
                draw.rectangle([x, box[1], x + wdt - 1, box[1] + n * cs], fill=ink)
                draw.rectangle([box[0], y, box[0] + n * cs, y + wdt - 1], fill=ink)
            for r in range(n):
                for c in range(n):
                    if rng.random() < 0.5:
                        size = cs * 0.6 * 100 / digit_height(g["font"])
                        cx, cy = box[0] + c * cs + cs / 2 + 1, box[1] + r * cs + cs / 2 + 1
                        draw_digit(draw, g["font"], size, rng.randint(1, n), cx, cy, ink)
    elif kind == "calendar":
        cw, ch = rng.randint(26, 44), rng.randint(22, 34)
        box = place((7 * cw + 1, 7 * ch + 30), area, taken, rng, 30)
        if box:
            x, y = box[0], box[1]
            month = rng.choice(["March", "October", "June"]) + " 2026"
            draw.text((x, y), month, font=font(bold, 16), fill=ink)
            y += 30
            for c, day in enumerate(["Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"]):
                draw.text((x + c * cw + 5, y + 5), day, font=font(bold, 12), fill=ink)
            start = rng.randrange(7)
            for i in range(rng.choice([28, 30, 31])):
                r, c = 1 + (start + i) // 7, (start + i) % 7
                if r < 7:
                    xy = (x + c * cw + 5, y + r * ch + 5)
                    draw.text(xy, str(i + 1), font=font(reg, 12), fill=ink)
            for i in range(8):
                draw.line([x + i * cw, y, x + i * cw, y + 7 * ch], fill=(150, 150, 150))
                draw.line([x, y + i * ch, x + 7 * cw, y + i * ch], fill=(150, 150, 150))
    elif kind == "stats":
        rows = rng.randint(4, 7)
        box = place((260, rows * 28 + 34), area, taken, rng, 30)
        if box:
            draw.text((box[0], box[1]), "Your statistics", font=font(bold, 17), fill=ink)
            labels = ["Solved", "Best time", "Average", "Streak", "Hints used", "Mistakes", "Level"]
            for i in range(rows):
                y = box[1] + 34 + i * 28
                draw.text((box[0] + 4, y + 5), labels[i], font=font(reg, 14), fill=ink)
                count = str(rng.randint(0, 400))
                draw.text((box[0] + 180, y + 5), count, font=font(reg, 14), fill=ink)
                draw.line([box[0], y + 27, box[2], y + 27], fill=(180, 180, 180))
    elif kind == "picture":
        box = place((rng.randint(120, 320), rng.randint(80, 220)), area, taken, rng, 30)
        if box:
            draw.rectangle(box, fill=rand_color(rng, (120, 150, 180), 60))
            draw.ellipse([box[0] + 20, box[1] + 15, box[0] + 60, box[1] + 55], fill=(250, 220, 90))
            hill = [(box[0], box[3]), ((box[0] + box[2]) // 2, box[1] + 40), (box[2], box[3])]
            draw.polygon(hill, fill=rand_color(rng, (70, 120, 70), 30))
    else:
        labels = rng.sample(["New game", "Check", "Hint", "Undo", "Print", "Reset", "Notes"], 4)
        box = place((4 * 120, 36), area, taken, rng, 30)
        if box:
            for i, label in enumerate(labels):
                x = box[0] + i * 120
                fill = rng.choice([(66, 133, 244), (230, 230, 230), (52, 168, 83)])
                draw.rounded_rectangle([x, box[1], x + 110, box[3]], 6, fill=fill)
                label_ink = (255, 255, 255) if i % 2 == 0 else (20, 20, 20)
                draw.text((x + 12, box[1] + 9), label, font=font(reg, 15), fill=label_ink)
    if box:
        taken.append(box)


def flow_text(img, g, rng, area, taken, zoom=1.0):
    """Paragraphs and headings across the page, flowing around everything already placed."""
    draw = ImageDraw.Draw(img)
    reg, bold = g["ui"]
    ink = text_color(g)
    size = rng.randint(13, 18) * zoom
    y = area[1]
    while y < area[3] - size * 2:
        heading = rng.random() < 0.12
        f = font(bold if heading else reg, size * (1.6 if heading else 1))
        lh = int(f.size * 1.5)
        for _ in range(1 if heading else rng.randint(2, 6)):
            if y + lh > area[3]:
                break
            x = area[0]
            while True:
                word = rng.choice(WORDS).capitalize() if heading else rng.choice(WORDS)
                wlen = f.getlength(word + " ")
                if x + wlen > area[2]:
                    break
                box = (x, y, x + wlen, y + lh)
                if overlaps(box, taken, 10):
                    x += 20
                    continue
                draw.text((x, y), word, font=f, fill=ink)
                x += wlen
            y += lh
        y += lh // 2


def render_page(g, rng, shown, givens_mask):
    w, h = g["size"]
    img = Image.new("RGB", (w, h), g["page_bg"])
    top = draw_chrome(img, g, rng)
    area = (rng.randint(16, 60), top + 12, w - rng.randint(16, 60), h - 10)
    ext = grid_extent(g)
    names = round(g["cell"]) if g["labels"] else 0
    while ext + names > min(area[3] - area[1], area[2] - area[0]) - 40:
        g["cell"] *= 0.9
        ext, names = grid_extent(g), round(g["cell"]) if g["labels"] else 0
    x = rng.randint(area[0] + 10 + names, area[2] - ext - 10)
    y = rng.randint(area[1] + 10 + names, area[3] - ext - 10)
    grid = draw_grid(img, g, rng, x, y, shown, givens_mask)
    taken = [draw_labels(img, g, rng, grid) if g["labels"] else grid]
    for _ in range(g["distractors"]):
        draw_distractor(img, g, rng, area, taken)
    flow_text(img, g, rng, area, taken)
    return img, grid


def render_tight(g, rng, shown, givens_mask):
    """A screenshot of the grid alone, with a little of the window around it."""
    ext = grid_extent(g)
    margin = [rng.randint(3, 60) for _ in range(4)]
    if g["labels"]:
        margin[0] = margin[1] = max(margin[0], margin[1], round(g["cell"]))
    img = Image.new("RGB", (ext + margin[0] + margin[2], ext + margin[1] + margin[3]), g["page_bg"])
    at = (margin[0] + g["thick"] // 2, margin[1] + g["thick"] // 2)
    grid = draw_grid(img, g, rng, at[0], at[1], shown, givens_mask)
    if g["labels"]:
        draw_labels(img, g, rng, grid)
    return img, grid


def render_huge(g, rng, shown, givens_mask):
    """A page zoomed far in: the grid over 1000 px, a column of equally large text beside it."""
    ext = grid_extent(g)
    zoom = g["cell"] / 50
    side = round(min(rng.randint(0, 500) * zoom, 0.6 * ext))
    img = Image.new("RGB", (ext + 80 + side, ext + 160), g["page_bg"])
    draw = ImageDraw.Draw(img)
    title = "Sudoku no. " + str(rng.randint(1, 999))
    draw.text((40, 30), title, font=font(g["ui"][1], 48), fill=text_color(g))
    grid = draw_grid(img, g, rng, 40, 120, shown, givens_mask)
    if side > 150:
        flow_text(img, g, rng, (ext + 70, 120, ext + 60 + side, ext + 120), [], zoom)
    return img, grid


def render_phone(g, rng, shown, givens_mask):
    w, h = g["size"]
    k = w / 1080
    img = Image.new("RGB", (w, h), g["page_bg"])
    draw = ImageDraw.Draw(img)
    reg, bold = g["ui"]
    ink = text_color(g)
    accent = g["player_ink"]
    draw.text((50 * k, 22 * k), "9:41", font=font(bold, 40 * k), fill=ink)
    for i in range(3):
        draw.rectangle([w - (200 - 50 * i) * k, 30 * k, w - (170 - 50 * i) * k, 60 * k], fill=ink)
    draw.text((40 * k, 130 * k), "<", font=font(bold, 64 * k), fill=ink)
    draw.text((w / 2 - 110 * k, 130 * k), "Sudoku", font=font(bold, 64 * k), fill=ink)
    for i in range(2):
        ring = [w - (190 - 90 * i) * k, 135 * k, w - (130 - 90 * i) * k, 195 * k]
        draw.ellipse(ring, outline=ink, width=max(2, int(5 * k)))
    info = [rng.choice(["Easy", "Medium", "Hard", "Expert"]), "Mistakes: %d/3" % rng.randint(0, 2)]
    info.append("%02d:%02d" % (rng.randint(0, 40), rng.randint(0, 59)))
    for i, t in enumerate(info):
        draw.text((50 * k + i * 360 * k, 290 * k), t, font=font(reg, 40 * k), fill=ink)
    margin = rng.randint(14, 40) * k
    g["cell"] = (w - 2 * margin - g["thick"]) / 9
    top = 380 * k
    box = draw_grid(img, g, rng, round(margin), round(top), shown, givens_mask)
    y = box[3] + 60 * k
    for i, label in enumerate(["Undo", "Erase", "Notes", "Hint"]):
        cx = w * (i + 0.5) / 4
        ring = [cx - 55 * k, y, cx + 55 * k, y + 110 * k]
        draw.ellipse(ring, outline=ink, width=max(2, int(5 * k)))
        draw.text((cx - 45 * k, y + 130 * k), label, font=font(reg, 34 * k), fill=ink)
    y += 260 * k
    for d in range(1, 10):
        cx = w * (d - 0.5) / 9
        draw_digit(draw, reg, 110 * k * 100 / digit_height(reg), d, cx, y + 80 * k, accent)
        if rng.random() < 0.5:
            count = str(rng.randint(1, 9))
            grey = (140, 140, 140)
            draw.text((cx - 10 * k, y + 160 * k), count, font=font(reg, 30 * k), fill=grey)
    if rng.random() < 0.6:
        banner = [40 * k, y + 260 * k, w - 40 * k, y + 420 * k]
        draw.rounded_rectangle(banner, 20 * k, fill=rand_color(rng, (120, 160, 200), 60))
        text = rng.choice(["Play the daily challenge", "Remove ads", "New game"])
        draw.text((80 * k, y + 310 * k), text, font=font(bold, 52 * k), fill=(255, 255, 255))
    draw.rectangle([0, h - 150 * k, w, h], fill=(30, 30, 30) if g["dark"] else (242, 242, 242))
    for i in range(4):
        cx = w * (i + 0.5) / 4
        key = [cx - 30 * k, h - 115 * k, cx + 30 * k, h - 55 * k]
        draw.rounded_rectangle(key, 10, outline=ink, width=max(2, int(4 * k)))
    return img, box


# ---------------------------------------------------------------------------------------------
# One picture


def render_one(seed, index, styles=STYLES):
    """Renders picture `index` of the set made with `seed`: the image, its truth and its style."""
    style = styles[index % len(styles)]
    rng = random.Random("%d/%d" % (seed, index))
    full = solution_grid(rng)
    cells = list(range(81))
    rng.shuffle(cells)
    count = rng.randint(22, 40)
    g = configure(style, rng)
    givens_mask = [[False] * 9 for _ in range(9)]
    shown = [[0] * 9 for _ in range(9)]
    for i in cells[:count]:
        givens_mask[i // 9][i % 9] = True
        shown[i // 9][i % 9] = full[i // 9][i % 9]
    for i in cells[count : count + g["players"]]:
        shown[i // 9][i % 9] = full[i // 9][i % 9]
    layouts = {"page": render_page, "tight": render_tight, "huge": render_huge,
               "phone": render_phone}
    layout = layouts[g["layout"]]
    img, _ = layout(g, rng, shown, givens_mask)
    box = g["outer"]
    corners = [(box[0], box[1]), (box[2], box[1]), (box[2], box[3]), (box[0], box[3])]
    if g["rotate"]:
        w, h = img.size
        img = img.rotate(g["rotate"], resample=Image.BICUBIC, expand=True, fillcolor=g["page_bg"])
        a = math.radians(g["rotate"])
        dx, dy = img.width / 2, img.height / 2
        cos, sin = math.cos(a), math.sin(a)
        corners = [(dx + (x - w / 2) * cos + (y - h / 2) * sin,
                    dy - (x - w / 2) * sin + (y - h / 2) * cos) for x, y in corners]
    if g["scale"]:
        f = g["scale"]
        corners = [(x * f, y * f) for x, y in corners]
        arr = np.asarray(img)
        size = (round(img.width * f), round(img.height * f))
        interp = cv2.INTER_AREA if f < 1 else rng.choice([cv2.INTER_LINEAR, cv2.INTER_CUBIC])
        img = Image.fromarray(cv2.resize(arr, size, interpolation=interp))
    g["corners"] = corners
    return img, shown, style, g


def write_one(out, seed, index, styles=STYLES):
    img, shown, style, g = render_one(seed, index, styles)
    name = "shot%03d-%s" % (index, style)
    if g["jpeg"]:
        img.save(os.path.join(out, name + ".jpg"), quality=g["jpeg"], subsampling=g["subsampling"])
    else:
        img.save(os.path.join(out, name + ".png"), optimize=False, compress_level=6)
    with open(os.path.join(out, name + ".dat"), "w") as f:
        f.write("style: %s\n%dx%d\n" % (style, img.width, img.height))
        for row in shown:
            f.write(" ".join(str(d) for d in row) + "\n")
    return name


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--out", required=True, help="folder for NAME.png/.jpg and NAME.dat")
    parser.add_argument("--seed", type=int, default=BENCH_SEED,
                        help="%d makes the benchmark" % BENCH_SEED)
    parser.add_argument("--count", type=int, default=PER_STYLE * len(STYLES),
                        help="default %d, %d of each of the %d styles"
                        % (PER_STYLE * len(STYLES), PER_STYLE, len(STYLES)))
    parser.add_argument("--styles", default=",".join(STYLES),
                        help="comma-separated styles to draw in turn (training sets lean on some)")
    args = parser.parse_args()
    styles = args.styles.split(",")
    if not set(styles) <= set(STYLES):
        parser.error("styles are: " + ", ".join(STYLES))
    check_fonts()
    os.makedirs(args.out, exist_ok=True)
    for i in range(args.count):
        print(write_one(args.out, args.seed, i, styles), flush=True)


if __name__ == "__main__":
    main()
